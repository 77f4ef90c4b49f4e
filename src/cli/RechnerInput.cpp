#include "cli/RechnerInput.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoUnits.h"

#include <QRegularExpression>

#include <map>

namespace Cli::Rechner {

namespace {

// A call has at most six parts of a few words each; more words are a wrong paste.
constexpr qsizetype kMostWords = 80;
constexpr int kLongestPart = 16; // words
constexpr qsizetype kLongestCall = 2000; // characters

// Counts the groupings of words[from..] into readers[part..] (up to two is enough to know it is
// not unique) and keeps the lengths of the first one.
class Grouping
{
public:
    Grouping(const QStringList &words, const std::vector<PartReader> &readers)
        : m_words(words)
        , m_readers(readers)
    {
    }

    int count(size_t part, qsizetype from)
    {
        if (part == m_readers.size())
            return from == m_words.size() ? 1 : 0;
        const auto key = std::pair {part, from};
        if (const auto known = m_memo.find(key); known != m_memo.end())
            return known->second;
        int ways = 0;
        for (qsizetype length = 1; length <= kLongestPart && from + length <= m_words.size();
             ++length) {
            const int rest = count(part + 1, from + length);
            if (rest == 0 || !m_readers[part](m_words.mid(from, length).join(u' ')))
                continue;
            if (ways == 0)
                m_first[key] = length;
            ways = std::min(2, ways + rest);
        }
        m_memo[key] = ways;
        return ways;
    }

    QStringList first()
    {
        QStringList parts;
        qsizetype from = 0;
        for (size_t part = 0; part < m_readers.size(); ++part) {
            const qsizetype length = m_first.at({part, from});
            parts.append(m_words.mid(from, length).join(u' '));
            from += length;
        }
        return parts;
    }

private:
    const QStringList &m_words;
    const std::vector<PartReader> &m_readers;
    std::map<std::pair<size_t, qsizetype>, int> m_memo;
    std::map<std::pair<size_t, qsizetype>, qsizetype> m_first;
};

QString partCounts(const std::vector<std::vector<PartReader>> &alternatives)
{
    QStringList counts;
    for (const auto &readers : alternatives)
        counts.append(QString::number(readers.size()));
    return counts.join(QStringLiteral(" oder "));
}

} // namespace

QStringList splitParts(const QString &text,
                       const std::vector<std::vector<PartReader>> &alternatives)
{
    // No call needs more than a few hundred characters; a huge paste is refused before it is
    // cut into pieces.
    if (text.size() > kLongestCall)
        throw QuarvelError(QStringLiteral("Der Text ist mit %1 Zeichen zu lang für eine Rechnung")
                               .arg(text.size()));
    if (text.contains(u';')) {
        QStringList parts = text.split(u';');
        for (QString &part : parts)
            part = part.trimmed();
        for (const auto &readers : alternatives) {
            if (size_t(parts.size()) == readers.size())
                return parts;
        }
        throw QuarvelError(QStringLiteral("Es braucht %1 durch „;“ getrennte Angaben, nicht %2")
                               .arg(partCounts(alternatives))
                               .arg(parts.size()));
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = text.split(blanks, Qt::SkipEmptyParts);
    if (words.size() > kMostWords)
        throw QuarvelError(QStringLiteral("Zu viele Wörter für eine Rechnung: bitte die Angaben "
                                          "mit „;“ trennen"));
    int ways = 0;
    QStringList found;
    for (const auto &readers : alternatives) {
        Grouping grouping(words, readers);
        const int count = grouping.count(0, 0);
        if (count > 0 && ways == 0)
            found = grouping.first();
        ways += count;
    }
    if (ways == 1)
        return found;
    if (ways > 1)
        throw QuarvelError(QStringLiteral("Die Angaben lassen sich mehrfach aufteilen: bitte mit "
                                          "„;“ trennen"));
    throw QuarvelError(QStringLiteral("Die Angaben passen nicht: erwartet werden %1 Angaben, "
                                      "am sichersten durch „;“ getrennt")
                           .arg(partCounts(alternatives)));
}

double readDistanceWithUnit(const QString &text)
{
    return Geo::readDistance(text, Geo::DistanceUnit::Metre);
}

double readBearingDegrees(const QString &text)
{
    QString number = text.trimmed();
    if (number.endsWith(u'°'))
        number.chop(1);
    return Geo::readBearing(number, Geo::AngleUnit::Degree);
}

} // namespace Cli::Rechner
