#include "image/FileScan.h"

#include <algorithm>
#include <array>

namespace ImageAnalysis {
namespace {

struct Signature
{
    const char *name;
    QByteArrayView magic;
};

const std::array<Signature, 9> kSignatures = {{
    {"zip", QByteArrayView("PK\x03\x04", 4)},
    {"rar", QByteArrayView("Rar!\x1A\x07", 6)},
    {"7z", QByteArrayView("7z\xBC\xAF\x27\x1C", 6)},
    {"pdf", QByteArrayView("%PDF-", 5)},
    {"png", QByteArrayView("\x89PNG\r\n\x1A\n", 8)},
    {"jpeg", QByteArrayView("\xFF\xD8\xFF", 3)},
    {"gif", QByteArrayView("GIF87a", 6)},
    {"gif", QByteArrayView("GIF89a", 6)},
    {"gzip", QByteArrayView("\x1F\x8B\x08", 3)},
}};

// The appendix's text is shown up to this many characters; the whole appendix can be saved.
constexpr qsizetype kMaxAppendixText = 1024 * 1024;

bool readable(uchar c, bool lineBreaks)
{
    if (c >= 0x20 && c <= 0x7E)
        return true;
    // Of the Latin-1 letters only the German ones: the others (ÿ, à) are the bytes of JPEG
    // markers and would glue noise to every text that stands before one.
    if (c == 0xC4 || c == 0xD6 || c == 0xDC || c == 0xDF || c == 0xE4 || c == 0xF6 || c == 0xFC)
        return true;
    return lineBreaks && (c == '\t' || c == '\n' || c == '\r');
}

class RunCollector
{
public:
    RunCollector(const TextRunOptions &options, bool *truncated)
        : m_options(options)
        , m_truncated(truncated)
    {
    }

    bool full() const { return *m_truncated; }

    // Walks the characters at `first`, `first + step`, ...; a character is readable when its
    // other byte (for UTF-16) is zero.
    void scan(QByteArrayView data, qsizetype first, qsizetype step, int zeroAt, const char *kind)
    {
        qsizetype runStart = -1;
        QString run;
        for (qsizetype i = first; i + step <= data.size() && !full(); i += step) {
            const uchar c = uchar(data[i + (zeroAt == 0 ? 1 : 0) * (step - 1)]);
            const bool ok = readable(c, m_options.lineBreaks) &&
                (step == 1 || data[i + (zeroAt == 0 ? 0 : 1)] == '\0');
            if (ok) {
                if (runStart < 0)
                    runStart = i;
                run += QChar::fromLatin1(char(c));
                continue;
            }
            flush(runStart, run, kind);
            runStart = -1;
            run.clear();
        }
        flush(runStart, run, kind);
    }

    QList<FoundText> take() { return std::move(m_runs); }

private:
    void flush(qsizetype start, const QString &run, const char *kind)
    {
        if (start < 0 || run.size() < m_options.minLength || full())
            return;
        if (m_runs.size() >= m_options.maxRuns ||
            m_characters + run.size() > m_options.maxCharacters) {
            *m_truncated = true;
            return;
        }
        m_characters += run.size();
        m_runs << FoundText {start, QString::fromLatin1(kind), run};
    }

    const TextRunOptions &m_options;
    bool *m_truncated;
    QList<FoundText> m_runs;
    qsizetype m_characters = 0;
};

// UTF-16 text read one byte off in the other byte order gives the same characters again, one
// fewer: of UTF-16 runs that share bytes, the longest is the text.
QList<FoundText> dropShiftedReadings(QList<FoundText> runs)
{
    const auto end = [](const FoundText &t) { return t.offset + 2 * t.text.size(); };
    std::stable_sort(runs.begin(), runs.end(), [](const auto &a, const auto &b) {
        return a.kodierung != b.kodierung ? a.kodierung < b.kodierung : a.offset < b.offset;
    });
    QList<FoundText> kept;
    for (FoundText &run : runs) {
        if (run.kodierung == u"UTF-16" && !kept.isEmpty() && kept.back().kodierung == u"UTF-16" &&
            run.offset < end(kept.back()) + 1) {
            if (run.text.size() > kept.back().text.size())
                kept.back() = std::move(run);
            continue;
        }
        kept << std::move(run);
    }
    return kept;
}

} // namespace

QList<EmbeddedSignature> findSignatures(QByteArrayView data, qint64 base, qsizetype maxCount,
                                        bool *truncated)
{
    *truncated = false;
    QList<EmbeddedSignature> found;
    for (const Signature &signature : kSignatures) {
        for (qsizetype at = data.indexOf(signature.magic); at >= 0;
             at = data.indexOf(signature.magic, at + 1)) {
            if (found.size() >= maxCount) {
                *truncated = true;
                break;
            }
            found << EmbeddedSignature {base + at, QString::fromLatin1(signature.name)};
        }
    }
    std::sort(found.begin(), found.end(),
              [](const auto &a, const auto &b) { return a.offset < b.offset; });
    return found;
}

QList<FoundText> findTextRuns(QByteArrayView data, const TextRunOptions &options, bool *truncated)
{
    *truncated = false;
    RunCollector collector(options, truncated);
    collector.scan(data, 0, 1, 0, "Latin-1");
    if (options.utf16) {
        for (qsizetype first : {0, 1}) {
            collector.scan(data, first, 2, 1, "UTF-16"); // little-endian: the high byte second
            collector.scan(data, first, 2, 0, "UTF-16"); // big-endian: the high byte first
        }
    }
    QList<FoundText> runs = dropShiftedReadings(collector.take());
    std::stable_sort(runs.begin(), runs.end(),
                     [](const auto &a, const auto &b) { return a.offset < b.offset; });
    return runs;
}

std::optional<Appendix> describeAppendix(QByteArrayView file, qint64 end)
{
    if (end < 0 || end >= file.size())
        return std::nullopt;
    const QByteArrayView tail = file.sliced(end);
    Appendix appendix;
    appendix.offset = end;
    appendix.laenge = tail.size();
    bool truncated = false;
    for (const EmbeddedSignature &s : findSignatures(tail, end, 1000, &truncated)) {
        if (!appendix.signaturen.contains(s.signatur))
            appendix.signaturen << s.signatur;
    }
    TextRunOptions options;
    options.minLength = 4;
    options.lineBreaks = true;
    options.utf16 = false;
    options.maxCharacters = kMaxAppendixText;
    QStringList parts;
    for (const FoundText &run : findTextRuns(tail, options, &truncated))
        parts << run.text;
    appendix.text = parts.join(u'\n');
    return appendix;
}

} // namespace ImageAnalysis
