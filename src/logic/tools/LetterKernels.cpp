#include "logic/tools/LetterKernels.h"

#include <cstdint>
#include <memory>

#if defined(__x86_64__)
#include <immintrin.h>
#define QUARVEL_LETTERS_AVX512 1
#endif

namespace LetterKernels {
namespace {

const char16_t *unitsOf(const QString &text)
{
    return reinterpret_cast<const char16_t *>(text.constData());
}

char16_t *unitsOf(QString &text)
{
    return reinterpret_cast<char16_t *>(text.data());
}

int letterIndex(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return c - u'A';
    if (c >= u'a' && c <= u'z')
        return c - u'a';
    return -1;
}

// The letter with alphabet index `index` in the case of the letter `like`, or upper case.
char16_t letterOf(int index, char16_t like, bool upperCase)
{
    return char16_t((upperCase || like < u'a' ? u'A' : u'a') + index);
}

void substitutePortable(const char16_t *in, char16_t *out, qsizetype n, const AsciiTable &table)
{
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        out[i] = c < 128 ? table[c] : c;
    }
}

// Without branches on the text: letters and other characters alternate unpredictably in real
// texts. Outside the letters `index` is meaningless and its result is not taken.
void shiftPortable(const char16_t *in, char16_t *out, qsizetype n, const PeriodicShift &shift)
{
    const std::size_t length = shift.keys.size();
    std::size_t k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const int c = in[i];
        const int lower = int(unsigned(c - u'a') < 26u);
        const int letter = lower | int(unsigned(c - u'A') < 26u);
        const int index = c - u'A' - 32 * lower;
        const int shifted = (shift.factor * index + shift.keys[k]) % 26;
        const int base = shift.upperCase ? u'A' : u'A' + 32 * lower;
        out[i] = char16_t(c + letter * (base + shifted - c));
        k += std::size_t(letter);
        k *= std::size_t(k != length);
    }
}

// `stream` holds the keyword (keyLength entries) and takes the plain letters behind it, so the
// key of letter number n is stream[n].
void autokeyPortable(const char16_t *in, char16_t *out, qsizetype n, std::uint16_t *stream,
                     std::size_t keyLength, bool decode)
{
    std::size_t count = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const int c = letterIndex(in[i]);
        if (c < 0) {
            out[i] = in[i];
            continue;
        }
        const int key = stream[count];
        const int plain = decode ? (c + 26 - key) % 26 : c;
        stream[keyLength + count++] = std::uint16_t(plain);
        out[i] = letterOf(decode ? plain : (plain + key) % 26, in[i], false);
    }
}

#ifdef QUARVEL_LETTERS_AVX512

#define QUARVEL_AVX512 __attribute__((target("avx512f,avx512bw,avx512vbmi,avx512vbmi2,popcnt")))

bool hasAvx512()
{
    static const bool has = __builtin_cpu_supports("avx512f") &&
        __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi") &&
        __builtin_cpu_supports("avx512vbmi2") && __builtin_cpu_supports("popcnt");
    return has;
}

// The first `n` of the 32 lanes; the text's end is read and written through this mask, so no
// lane beyond it is touched and no scalar tail is needed.
QUARVEL_AVX512 __mmask32 firstLanes(qsizetype n)
{
    return n >= 32 ? ~__mmask32(0) : (__mmask32(1) << n) - 1;
}

// The permutation reads the low seven bits of every byte; zeroing the high byte of each code unit
// makes it a lookup of the unit itself, and units from 128 up keep their own value.
QUARVEL_AVX512 void substituteAvx512(const char16_t *in, char16_t *out, qsizetype n,
                                     const AsciiTable &table)
{
    alignas(64) std::uint8_t bytes[128];
    for (int c = 0; c < 128; ++c)
        bytes[c] = std::uint8_t(table[c]);
    const __m512i low = _mm512_load_si512(bytes);
    const __m512i high = _mm512_load_si512(bytes + 64);
    const __m512i ascii = _mm512_set1_epi16(128);
    for (qsizetype i = 0; i < n; i += 32) {
        const __mmask32 lanes = firstLanes(n - i);
        const __m512i block = _mm512_maskz_loadu_epi16(lanes, in + i);
        const __m512i looked =
            _mm512_maskz_permutex2var_epi8(0x5555555555555555ull, low, block, high);
        const __mmask32 small = _mm512_cmplt_epu16_mask(block, ascii);
        _mm512_mask_storeu_epi16(out + i, lanes, _mm512_mask_mov_epi16(block, small, looked));
    }
}

struct Letters
{
    __m512i index; // alphabet index in the letter lanes
    __mmask32 letters;
    __mmask32 lower;
};

QUARVEL_AVX512 Letters lettersOf(__m512i block)
{
    const __m512i twentySix = _mm512_set1_epi16(26);
    const __m512i upper = _mm512_sub_epi16(block, _mm512_set1_epi16(u'A'));
    const __m512i lower = _mm512_sub_epi16(block, _mm512_set1_epi16(u'a'));
    const __mmask32 isUpper = _mm512_cmplt_epu16_mask(upper, twentySix);
    const __mmask32 isLower = _mm512_cmplt_epu16_mask(lower, twentySix);
    return {_mm512_mask_mov_epi16(upper, isLower, lower), __mmask32(isUpper | isLower), isLower};
}

// value mod 26 for 0 <= value <= 650: 2521 / 65536 is 1/26 closely enough that the quotient is
// exact over that range.
QUARVEL_AVX512 __m512i mod26(__m512i value)
{
    const __m512i quotient = _mm512_mulhi_epu16(value, _mm512_set1_epi16(2521));
    return _mm512_sub_epi16(value, _mm512_mullo_epi16(quotient, _mm512_set1_epi16(26)));
}

// value - 26 where that is not negative, for 0 <= value < 52 (below 26 the difference wraps
// round to a larger unsigned value).
QUARVEL_AVX512 __m512i reduce26(__m512i value)
{
    return _mm512_min_epu16(value, _mm512_sub_epi16(value, _mm512_set1_epi16(26)));
}

QUARVEL_AVX512 __m512i withLetters(__m512i block, const Letters &l, __m512i index, bool upperCase)
{
    const __m512i base = _mm512_mask_mov_epi16(_mm512_set1_epi16(u'A'), upperCase ? 0 : l.lower,
                                               _mm512_set1_epi16(u'a'));
    return _mm512_mask_add_epi16(block, l.letters, index, base);
}

// The expansion hands the letter lanes the next keys in order, so the key position moves on by
// the block's letter count only.
QUARVEL_AVX512 void shiftAvx512(const char16_t *in, char16_t *out, qsizetype n,
                                const PeriodicShift &shift)
{
    // The key repeated to a period of at least 32 letters, plus 32 entries, so that the keys of a
    // block are one load from any start within the period.
    const std::size_t length = shift.keys.size();
    const std::size_t period = length * ((32 + length - 1) / length);
    std::vector<std::uint16_t> ring(period + 32);
    for (std::size_t j = 0; j < ring.size(); ++j)
        ring[j] = std::uint16_t(shift.keys[j % length]);
    const __m512i factor = _mm512_set1_epi16(short(shift.factor));
    std::size_t start = 0;
    for (qsizetype i = 0; i < n; i += 32) {
        const __mmask32 lanes = firstLanes(n - i);
        const __m512i block = _mm512_maskz_loadu_epi16(lanes, in + i);
        const Letters l = lettersOf(block);
        const __m512i keys =
            _mm512_maskz_expand_epi16(l.letters, _mm512_loadu_si512(ring.data() + start));
        const __m512i index = mod26(_mm512_add_epi16(_mm512_mullo_epi16(l.index, factor), keys));
        _mm512_mask_storeu_epi16(out + i, lanes, withLetters(block, l, index, shift.upperCase));
        start += std::size_t(_mm_popcnt_u32(l.letters));
        if (start >= period)
            start -= period;
    }
}

struct AutokeyLanes
{
    __m512i lane; // 0..31
    __m512i back; // lane - keyLength + 32: the key's place in (32 letters before, the block)
    __m512i chainStart; // 32 - keyLength + lane % keyLength
    __mmask32 subtractStart; // lane / keyLength even
    std::size_t keyLength;
    int steps; // doubling steps of keyLength, 2 keyLength, 4 keyLength, ... below 32
    __m512i earlier[5]; // lane - step
};

QUARVEL_AVX512 AutokeyLanes autokeyLanes(std::size_t keyLength)
{
    alignas(64) std::uint16_t lane[32];
    alignas(64) std::uint16_t chainStart[32];
    __mmask32 subtractStart = 0;
    for (std::size_t j = 0; j < 32; ++j) {
        lane[j] = std::uint16_t(j);
        chainStart[j] = std::uint16_t(32 - keyLength + j % keyLength);
        if ((j / keyLength) % 2 == 0)
            subtractStart |= __mmask32(1) << j;
    }
    const __m512i lanes = _mm512_load_si512(lane);
    AutokeyLanes k {lanes,
                    _mm512_add_epi16(lanes, _mm512_set1_epi16(short(32 - keyLength))),
                    _mm512_load_si512(chainStart),
                    subtractStart,
                    keyLength,
                    0,
                    {}};
    for (std::size_t step = keyLength; step < 32; step *= 2)
        k.earlier[k.steps++] = _mm512_sub_epi16(lanes, _mm512_set1_epi16(short(step)));
    return k;
}

// The plain letters before the block: the 32 before the previous block, then the previous
// block's own, and how many of those there are (the keyword counts as plain letters before the
// text). Keeping them apart spares the decoding chain one permutation per block.
struct AutokeyHistory
{
    __m512i older;
    __m512i previous;
    __m512i previousCount;
    __m512i shiftedLane; // lane + previousCount
};

// The key of a block's letter number j is plain letter j - keyLength counted from the block's
// first letter: the permutation picks it from the last 32 plain letters before the block (the
// keyword counts as the plain letters before the text) or the block's own. Decoding finds
// plain_j = given_j - plain_(j - keyLength): along that chain it is an alternating sum of the
// block's own letters, built by doubling, then plus or minus the plain letter before the block
// that starts the chain. Only that last step waits for the previous block.
QUARVEL_AVX512 __m512i autokeyBlock(__m512i given, const AutokeyLanes &k, bool decode,
                                    const AutokeyHistory &h)
{
    if (!decode) {
        const __m512i recent = _mm512_permutex2var_epi16(h.older, h.shiftedLane, h.previous);
        return reduce26(_mm512_add_epi16(given, _mm512_permutex2var_epi16(recent, k.back, given)));
    }
    const __m512i twentySix = _mm512_set1_epi16(26);
    __m512i sum = given;
    for (int i = 0; i < k.steps; ++i) {
        const __mmask32 reached = __mmask32(~0u << (k.keyLength << i));
        const __m512i earlier = _mm512_maskz_permutexvar_epi16(reached, k.earlier[i], sum);
        sum = i == 0 ? reduce26(_mm512_sub_epi16(_mm512_add_epi16(sum, twentySix), earlier))
                     : reduce26(_mm512_add_epi16(sum, earlier));
    }
    const __m512i start = _mm512_permutex2var_epi16(
        h.older, _mm512_add_epi16(k.chainStart, h.previousCount), h.previous);
    return reduce26(_mm512_mask_sub_epi16(_mm512_add_epi16(sum, start), k.subtractStart,
                                          _mm512_add_epi16(sum, twentySix), start));
}

// Keywords of up to 32 letters.
QUARVEL_AVX512 void autokeyAvx512(const char16_t *in, char16_t *out, qsizetype n,
                                  const std::vector<int> &keyword, bool decode)
{
    const AutokeyLanes k = autokeyLanes(keyword.size());
    alignas(64) std::uint16_t before[32] = {};
    for (std::size_t j = 0; j < keyword.size(); ++j)
        before[32 - keyword.size() + j] = std::uint16_t(keyword[j]);
    AutokeyHistory h {_mm512_load_si512(before), _mm512_setzero_si512(), _mm512_setzero_si512(),
                      k.lane};
    for (qsizetype i = 0; i < n; i += 32) {
        const __mmask32 lanes = firstLanes(n - i);
        const __m512i block = _mm512_maskz_loadu_epi16(lanes, in + i);
        const Letters l = lettersOf(block);
        const __m512i given = _mm512_maskz_compress_epi16(l.letters, l.index);
        const __m512i coded = autokeyBlock(given, k, decode, h);
        const __m512i index = _mm512_maskz_expand_epi16(l.letters, coded);
        _mm512_mask_storeu_epi16(out + i, lanes, withLetters(block, l, index, false));
        h.older = _mm512_permutex2var_epi16(h.older, h.shiftedLane, h.previous);
        h.previous = decode ? coded : given;
        h.previousCount = _mm512_set1_epi16(short(_mm_popcnt_u32(l.letters)));
        h.shiftedLane = _mm512_add_epi16(k.lane, h.previousCount);
    }
}

#endif

bool vectorised(Kernel kernel)
{
#ifdef QUARVEL_LETTERS_AVX512
    return kernel == Kernel::Fastest && hasAvx512();
#else
    Q_UNUSED(kernel);
    return false;
#endif
}

} // namespace

QString substitute(const QString &text, const AsciiTable &table, Kernel kernel)
{
    if (text.isEmpty())
        return text;
    QString result(text.size(), Qt::Uninitialized);
#ifdef QUARVEL_LETTERS_AVX512
    if (vectorised(kernel)) {
        substituteAvx512(unitsOf(text), unitsOf(result), text.size(), table);
        return result;
    }
#endif
    substitutePortable(unitsOf(text), unitsOf(result), text.size(), table);
    return result;
}

QString shiftLetters(const QString &text, const PeriodicShift &shift, Kernel kernel)
{
    if (text.isEmpty())
        return text;
    QString result(text.size(), Qt::Uninitialized);
#ifdef QUARVEL_LETTERS_AVX512
    if (vectorised(kernel)) {
        shiftAvx512(unitsOf(text), unitsOf(result), text.size(), shift);
        return result;
    }
#endif
    shiftPortable(unitsOf(text), unitsOf(result), text.size(), shift);
    return result;
}

QString autokey(const QString &text, const std::vector<int> &keyword, bool decode, Kernel kernel)
{
    if (text.isEmpty())
        return text;
    QString result(text.size(), Qt::Uninitialized);
#ifdef QUARVEL_LETTERS_AVX512
    if (vectorised(kernel) && keyword.size() <= 32) {
        autokeyAvx512(unitsOf(text), unitsOf(result), text.size(), keyword, decode);
        return result;
    }
#endif
    const std::size_t keyLength = keyword.size();
    const auto stream =
        std::make_unique_for_overwrite<std::uint16_t[]>(keyLength + std::size_t(text.size()));
    for (std::size_t j = 0; j < keyLength; ++j)
        stream[j] = std::uint16_t(keyword[j]);
    autokeyPortable(unitsOf(text), unitsOf(result), text.size(), stream.get(), keyLength, decode);
    return result;
}

} // namespace LetterKernels
