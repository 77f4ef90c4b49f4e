#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Glyphs of an alphabet nobody knows yet, written down as placeholder letters: the first
// distinct glyph becomes A, the next new one B, and so on, so that the code breaker's search
// for a simple substitution can read the sequence like any other cipher text. A glyph is
// known by its table and its place there, so glyphs of several tables can be mixed.
class PlaceholderSequence
{
public:
    // The code breaker substitutes the letters A to Z only.
    static constexpr int kMaxDistinct = 26;
    // Clicks in one sequence, blanks included.
    static constexpr int kMaxLength = 500;

    struct Entry
    {
        QString table; // the table's command-line name; empty for a blank
        int glyph = -1; // the glyph's place in its table; -1 for a blank
    };

    // Appends a glyph and returns its placeholder. Refuses (QuarvelError) a 27th distinct
    // glyph and any entry beyond kMaxLength, leaving the sequence as it was.
    QChar add(const QString &table, int glyph);
    void addBlank();
    // Takes the last entry back; a glyph used only there gives its letter free again.
    void removeLast();
    void clear();

    const QList<Entry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }
    int distinct() const { return int(m_keys.size()); }
    // The placeholders with a blank for each gap, e.g. "ABCA BD".
    QString text() const;

private:
    void checkRoom() const;

    QList<Entry> m_entries;
    QStringList m_keys; // "table/glyph" in order of first use: index 0 is A
};
