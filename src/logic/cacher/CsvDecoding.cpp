#include "logic/cacher/CsvDecoding.h"

#include "logic/cacher/CacherBook.h"
#include "logic/cacher/Latin1Utf8.h"
#include "logic/common/CodePage.h"

#include <cstring>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr char16_t kReplacement = 0xFFFD;

struct Mark
{
    QByteArrayView bytes;
    CsvEncoding encoding;
};
const Mark kMarks[] = {
    {"\xEF\xBB\xBF", CsvEncoding::Utf8},
    {"\xFF\xFE", CsvEncoding::Utf16LE},
    {"\xFE\xFF", CsvEncoding::Utf16BE},
};

// One UTF-8 sequence: its code point, or, when it is broken, how many bytes form its longest
// valid beginning (at least one), which together count as one undecodable character.
struct Utf8Step
{
    char32_t codePoint;
    int length;
    bool valid;
};

Utf8Step nextUtf8(const uchar *p, const uchar *end)
{
    const uchar lead = *p;
    if (lead < 0x80)
        return {lead, 1, true};
    int following = 0;
    char32_t codePoint = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        following = 1;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        following = 2;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80; // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        following = 3;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing beyond U+10FFFF
    } else {
        return {0, 1, false};
    }
    int length = 1;
    for (int i = 0; i < following; ++i, ++length) {
        if (length >= end - p || p[length] < low || p[length] > high)
            return {0, length, false};
        codePoint = (codePoint << 6) | (p[length] & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return {codePoint, length, true};
}

// Runs of ASCII are by far the most common; they need no decoding. Sixteen bytes at a time
// where the processor can.
const uchar *skipAscii(const uchar *p, const uchar *end)
{
#ifdef __SSE2__
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        if (const int high = _mm_movemask_epi8(block))
            return p + __builtin_ctz(unsigned(high));
        p += 16;
    }
#endif
    while (p != end && *p < 0x80)
        ++p;
    return p;
}

// Decodes UTF-8 in one pass. A broken sequence becomes U+FFFD; in strict mode it ends the
// decoding instead (false), so a file without a mark can go to Windows-1252.
bool decodeUtf8(QByteArrayView data, bool strict, DecodedCsv &result)
{
    result.text.resize(data.size()); // never more code units than bytes
    char16_t *out = reinterpret_cast<char16_t *>(result.text.data());
    const auto *p = reinterpret_cast<const uchar *>(data.data());
    const uchar *end = p + data.size();
    while (p != end) {
        const uchar lead = *p;
        if (lead < 0x80) {
            *out++ = lead;
            ++p;
        } else if (lead >= 0xC2 && lead <= 0xDF && p + 1 != end && (p[1] & 0xC0) == 0x80) {
            *out++ = char16_t(((lead & 0x1F) << 6) | (p[1] & 0x3F)); // umlauts: the common case
            p += 2;
        } else {
            const Utf8Step step = nextUtf8(p, end);
            p += step.length;
            if (!step.valid) {
                if (strict)
                    return false;
                *out++ = kReplacement;
                ++result.undecodable;
            } else if (step.codePoint > 0xFFFF) {
                *out++ = char16_t(0xD7C0 + (step.codePoint >> 10));
                *out++ = char16_t(0xDC00 | (step.codePoint & 0x3FF));
            } else {
                *out++ = char16_t(step.codePoint);
            }
        }
    }
    result.text.resize(out - reinterpret_cast<char16_t *>(result.text.data()));
    return true;
}

DecodedCsv decodeUtf16(QByteArrayView data, bool littleEndian)
{
    DecodedCsv result;
    const qsizetype units = data.size() / 2;
    result.text.resize(units + data.size() % 2);
    char16_t *out = reinterpret_cast<char16_t *>(result.text.data());
    const auto *p = reinterpret_cast<const uchar *>(data.data());
    const auto unitAt = [&](qsizetype i) {
        const uchar a = p[2 * i];
        const uchar b = p[2 * i + 1];
        return char16_t(littleEndian ? a | (b << 8) : (a << 8) | b);
    };
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t unit = unitAt(i);
        if (QChar::isHighSurrogate(unit) && i + 1 < units && QChar::isLowSurrogate(unitAt(i + 1))) {
            out[i] = unit;
            out[i + 1] = unitAt(i + 1);
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            out[i] = kReplacement;
            ++result.undecodable;
        } else {
            out[i] = unit;
        }
    }
    if (data.size() % 2 != 0) { // a lone last byte
        out[units] = kReplacement;
        ++result.undecodable;
    }
    return result;
}

} // namespace

bool utf8ToAnsi(QByteArrayView utf8, bool strict, QByteArray &out, bool &lossy)
{
    out.resize(utf8.size() + 64); // never more bytes than the UTF-8 has, and the fast path's room
    char *o = out.data();
    const auto *p = reinterpret_cast<const uchar *>(utf8.data());
    const uchar *end = p + utf8.size();
    const CodePage::ToAnsi toAnsi;
    // "?" stands for a character the code page lacks; a real "?" is ASCII and never gets here.
    const auto put = [&](char16_t unit) {
        const char byte = toAnsi(unit);
        lossy = lossy || byte == '?';
        *o++ = byte;
    };
    while (p != end) {
        if (*p < 0x80 || *p == 0xC2 || *p == 0xC3) { // German text: ASCII, umlauts, ß
            const Latin1Run run = latin1Utf8ToAnsi(p, end - p, o);
            p += run.read;
            o += run.written;
            if (run.read > 0)
                continue;
        }
        if (p[0] >= 0xC2 && p[0] <= 0xDF && end - p > 1 && (p[1] & 0xC0) == 0x80) {
            put(char16_t(((p[0] & 0x1F) << 6) | (p[1] & 0x3F))); // other two-byte letters
            p += 2;
            continue;
        }
        const Utf8Step step = nextUtf8(p, end);
        p += step.length;
        if (!step.valid && strict)
            return false;
        if (!step.valid) {
            *o++ = toAnsi(kReplacement); // counted as undecodable instead
        } else if (step.codePoint > 0xFFFF) {
            *o++ = '?'; // two UTF-16 code units, each without a place in the code page
            *o++ = '?';
            lossy = true;
        } else {
            put(char16_t(step.codePoint));
        }
    }
    out.resize(o - out.data());
    return true;
}

QString decodeUtf8(QByteArrayView utf8)
{
    DecodedCsv result;
    decodeUtf8(utf8, false, result);
    return std::move(result.text);
}

qsizetype undecodableUtf8(QByteArrayView utf8)
{
    const auto *p = reinterpret_cast<const uchar *>(utf8.data());
    const uchar *end = p + utf8.size();
    qsizetype count = 0;
    while ((p = skipAscii(p, end)) != end) {
        const Utf8Step step = nextUtf8(p, end);
        count += step.valid ? 0 : 1;
        p += step.length;
    }
    return count;
}

bool isUtf8WithNonAscii(QByteArrayView data)
{
    const auto *p = reinterpret_cast<const uchar *>(data.data());
    const uchar *end = p + data.size();
    bool nonAscii = false;
    while ((p = skipAscii(p, end)) != end) {
        const Utf8Step step = nextUtf8(p, end);
        if (!step.valid)
            return false;
        nonAscii = true;
        p += step.length;
    }
    return nonAscii;
}

CsvEncodingChoice chooseCsvEncodingByMark(QByteArrayView data)
{
    for (const Mark &mark : kMarks) {
        if (data.startsWith(mark.bytes))
            return {mark.encoding, mark.bytes.size()};
    }
    return {};
}

CsvEncodingChoice chooseCsvEncoding(QByteArrayView data)
{
    for (const Mark &mark : kMarks) {
        if (data.startsWith(mark.bytes))
            return {mark.encoding, mark.bytes.size()};
    }
    return {isUtf8WithNonAscii(data) ? CsvEncoding::Utf8 : CsvEncoding::Ansi, 0};
}

DecodedCsv decodeCsv(QByteArrayView data)
{
    DecodedCsv result;
    for (const Mark &mark : kMarks) {
        if (!data.startsWith(mark.bytes))
            continue;
        const QByteArrayView text = data.sliced(mark.bytes.size());
        if (mark.encoding == CsvEncoding::Utf8)
            decodeUtf8(text, false, result);
        else
            result = decodeUtf16(text, mark.encoding == CsvEncoding::Utf16LE);
        return result;
    }
    // Valid UTF-8 is decoded as such in the same pass that checks it (pure ASCII reads the
    // same either way); the first broken sequence makes it Windows-1252.
    if (decodeUtf8(data, true, result))
        return result;
    return {CodePage::fromAnsi(data), 0};
}

qint64 maxCsvFileSize(QByteArrayView start)
{
    constexpr qint64 kMaxLineCharacters = 1800;
    constexpr qint64 kLineEnd = 2; // CR LF
    constexpr qint64 kUnits = qint64(CacherBook::MaxPersonen) * (kMaxLineCharacters + kLineEnd);
    const bool wide = start.startsWith(kMarks[1].bytes) || start.startsWith(kMarks[2].bytes);
    return wide ? 2 + 2 * kUnits : 3 + kUnits;
}
