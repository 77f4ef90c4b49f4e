#include "gui/symbols/PlaceholderSequence.h"

#include "logic/common/QuarvelError.h"

namespace {

QString keyOf(const QString &table, int glyph)
{
    return table + u'/' + QString::number(glyph);
}

QChar letter(qsizetype place)
{
    return QChar(u'A' + char16_t(place));
}

} // namespace

void PlaceholderSequence::checkRoom() const
{
    if (m_entries.size() >= kMaxLength)
        throw QuarvelError(QStringLiteral("Mehr als %1 Symbole passen nicht in eine Folge; "
                                          "senden Sie diese zuerst an den Code-Knacker")
                               .arg(kMaxLength));
}

QChar PlaceholderSequence::add(const QString &table, int glyph)
{
    checkRoom();
    const QString key = keyOf(table, glyph);
    qsizetype place = m_keys.indexOf(key);
    if (place < 0) {
        if (m_keys.size() >= kMaxDistinct)
            throw QuarvelError(
                QStringLiteral("Mehr als %1 verschiedene Symbole: der Code-Knacker ersetzt nur "
                               "die Buchstaben A bis Z")
                    .arg(kMaxDistinct));
        m_keys.append(key);
        place = m_keys.size() - 1;
    }
    m_entries.append({table, glyph});
    return letter(place);
}

void PlaceholderSequence::addBlank()
{
    checkRoom();
    m_entries.append(Entry {});
}

void PlaceholderSequence::removeLast()
{
    if (m_entries.isEmpty())
        return;
    const Entry last = m_entries.takeLast();
    if (last.glyph < 0)
        return;
    // Letters go in order of first use, so a glyph used nowhere else holds the newest letter.
    const QString key = keyOf(last.table, last.glyph);
    for (const Entry &entry : m_entries)
        if (entry.glyph == last.glyph && entry.table == last.table)
            return;
    m_keys.removeAll(key);
}

void PlaceholderSequence::clear()
{
    m_entries.clear();
    m_keys.clear();
}

QString PlaceholderSequence::text() const
{
    QString result;
    result.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        result +=
            entry.glyph < 0 ? QChar(u' ') : letter(m_keys.indexOf(keyOf(entry.table, entry.glyph)));
    return result;
}
