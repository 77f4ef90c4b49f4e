// The code breaker's word lists on arbitrary bytes, and the blanks put into a text made of the
// same bytes' letters: never more than one blank between letters, and the letters themselves
// unchanged.
#include "logic/common/QuarvelError.h"
#include "logic/language/WordBreaks.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    WordList words;
    try {
        words = WordList::read(buffer);
    } catch (const QuarvelError &) {
        return 0;
    }
    // A few hundred letters: the search is linear, longer texts only slow the fuzzing down.
    QString letters;
    for (const char c : bytes) {
        if (letters.size() < 300 && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            letters += QLatin1Char(c);
    }
    const QString spaced = insertBlanks(letters, words);
    QString back = spaced;
    back.remove(u' ');
    if (back != letters || spaced.contains(QStringLiteral("  ")) || spaced.startsWith(u' ') ||
        spaced.endsWith(u' '))
        __builtin_trap();
    return 0;
}
