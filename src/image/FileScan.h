#pragma once

#include "image/ImageReport.h"

#include <QByteArrayView>

// Looking through a file's bytes without knowing its structure: the signatures of other files
// hidden inside it, and the readable text in it.
namespace ImageAnalysis {

// Every start of a ZIP, RAR, 7z, PDF, PNG, JPEG, GIF or gzip file in `data`, by offset, with
// `base` added to each offset; at most `maxCount` of them. `truncated` tells whether more were
// there.
QList<EmbeddedSignature> findSignatures(QByteArrayView data, qint64 base, qsizetype maxCount,
                                        bool *truncated);

struct TextRunOptions
{
    qsizetype minLength = 6; // characters
    bool lineBreaks = false; // line feeds, returns and tabs belong to a run
    bool utf16 = true; // also runs of UTF-16 characters in either byte order
    qsizetype maxRuns = 100000;
    qsizetype maxCharacters = 16 * 1024 * 1024; // all runs together
};

// Runs of readable characters: printable ASCII, the umlauts and ß and (with `lineBreaks`)
// tabs and line breaks; as single bytes ("Latin-1") and as UTF-16 code units ("UTF-16"). Sorted
// by offset. `truncated` tells whether a limit cut the list short.
QList<FoundText> findTextRuns(QByteArrayView data, const TextRunOptions &options, bool *truncated);

// What follows the picture's end at `end`: empty when nothing does.
std::optional<Appendix> describeAppendix(QByteArrayView file, qint64 end);

} // namespace ImageAnalysis
