#include "logic/language/WordBreaks.h"

#include "logic/common/QuarvelError.h"
#include "logic/common/SystemMessages.h"

#include <QBuffer>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <limits>
#include <vector>

namespace {

// Every piece costs one, and each letter of a piece the list does not know costs more: the text
// is covered by as few, as long known words as it allows, and what is left stays together. A
// known word of one or two letters costs a little extra, or a word list's many short words
// would cut every unknown name into pieces ("SCH A TZ").
constexpr double kPieceCost = 1.0;
constexpr double kUnknownLetterCost = 2.5;
constexpr double kOneLetterExtra = 1.0;
constexpr double kTwoLetterExtra = 0.5;

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

} // namespace

WordList::WordList(const QStringList &words)
{
    for (const QString &word : words)
        add(word);
}

namespace {

QByteArray readAll(QIODevice &device)
{
    // Debian's largest lists hold a few megabytes.
    constexpr qint64 kMaxBytes = qint64(64) << 20;
    QByteArray data;
    // In blocks: asked for the limit at once, the device would make room for all of it.
    for (QByteArray block; !(block = device.read(1 << 20)).isEmpty();) {
        data += block;
        if (data.size() > kMaxBytes)
            throw QuarvelError(QStringLiteral("Die Wortliste ist größer als 64 MB."));
    }
    if (!device.isSequential() && !device.atEnd())
        throw QuarvelError(QStringLiteral("Die Wortliste konnte nicht gelesen werden: %1")
                               .arg(SystemMessages::germanReason(device.errorString())));
    return data;
}

} // namespace

WordList WordList::read(QIODevice &device)
{
    const QByteArray data = readAll(device);
    WordList list;
    for (qsizetype start = 0; start < data.size();) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        list.add(QString::fromUtf8(QByteArrayView(data).sliced(start, end - start)));
        start = end + 1;
    }
    return list;
}

QByteArray WordList::bytesOfLanguage(const QString &folder, Language language)
{
    const bool german = language == Language::German;
    QFile file(folder + u'/' +
               (german ? QStringLiteral("ngerman") : QStringLiteral("american-english")));
    try {
        // Opening a pipe without a writer would wait for ever; a folder or a device is no list.
        const QFileInfo info(file.fileName());
        if (info.exists() && !info.isFile())
            throw QuarvelError(QStringLiteral("keine gewöhnliche Datei"));
        if (!file.open(QIODevice::ReadOnly))
            throw QuarvelError(SystemMessages::germanReason(file.errorString()));
        return readAll(file);
    } catch (const QuarvelError &error) {
        throw QuarvelError(
            QStringLiteral("Keine Wortliste „%1“ (%2): Paket %3 installieren.")
                .arg(file.fileName(), error.message(),
                     german ? QStringLiteral("wngerman") : QStringLiteral("wamerican")));
    }
}

WordList WordList::ofLanguage(const QString &folder, Language language)
{
    QByteArray data = bytesOfLanguage(folder, language);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer);
}

const WordList &WordLists::of(Language language)
{
    std::optional<WordList> &list = m_lists[language == Language::German ? 0 : 1];
    if (!list)
        list = WordList::ofLanguage(m_folder, language);
    return *list;
}

void WordList::add(QStringView word)
{
    QByteArray letters;
    for (const QChar c : word.trimmed()) {
        if (isAsciiLetter(c))
            letters += char(c.toUpper().unicode());
        else if (c == u'ä' || c == u'Ä')
            letters += "AE";
        else if (c == u'ö' || c == u'Ö')
            letters += "OE";
        else if (c == u'ü' || c == u'Ü')
            letters += "UE";
        else if (c == u'ß')
            letters += "SS";
        else
            return;
    }
    if (!letters.isEmpty() && letters.size() <= MaxLength)
        m_words.insert(letters);
}

QString insertBlanks(const QString &text, const WordList &words)
{
    if (words.isEmpty() || text.isEmpty() || text.size() > MaxWordBreakLetters ||
        !std::all_of(text.begin(), text.end(), isAsciiLetter))
        return text;
    const QByteArray letters = text.toUpper().toLatin1();
    const qsizetype n = letters.size();
    // best[i]: the least cost of the first i letters; cut[i]: where its last piece starts, and
    // whether that piece is a known word.
    std::vector<double> best(size_t(n) + 1, std::numeric_limits<double>::infinity());
    std::vector<qsizetype> cut(size_t(n) + 1, 0);
    std::vector<char> known(size_t(n) + 1, 0);
    best[0] = 0;
    for (qsizetype end = 1; end <= n; ++end) {
        for (qsizetype length = 1; length <= std::min<qsizetype>(end, WordList::MaxLength);
             ++length) {
            const bool isWord =
                words.contains(QByteArrayView(letters).sliced(end - length, length));
            const double extra = !isWord ? kUnknownLetterCost * double(length)
                : length == 1            ? kOneLetterExtra
                : length == 2            ? kTwoLetterExtra
                                         : 0.0;
            const double cost = best[size_t(end - length)] + kPieceCost + extra;
            if (cost < best[size_t(end)]) {
                best[size_t(end)] = cost;
                cut[size_t(end)] = end - length;
                known[size_t(end)] = isWord ? 1 : 0;
            }
        }
    }
    // Back from the end: known words stand alone, unknown letters stay together.
    QStringList pieces;
    for (qsizetype end = n; end > 0;) {
        qsizetype start = cut[size_t(end)];
        while (!known[size_t(end)] && start > 0 && !known[size_t(start)])
            start = cut[size_t(start)];
        pieces.prepend(text.sliced(start, end - start));
        end = start;
    }
    return pieces.join(u' ');
}
