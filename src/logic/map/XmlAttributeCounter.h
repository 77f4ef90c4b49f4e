#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Counts the attributes of every start tag in raw XML bytes before an XML reader sees them.
// Qt's reader compares each attribute of a tag with every other one, so a tag with a hundred
// thousand attributes costs minutes; counted here, in one pass over the bytes, such a tag is
// refused before it reaches the reader.
//
// A start tag holds no "<", and its attribute values are quoted, so the "=" signs outside quotes
// between a "<" that opens a name and the next ">" are exactly its attributes. Comments, CDATA
// and declarations are not told apart: a "<" always starts afresh, so nothing that comes before
// can hide a real tag from the count. Files in UTF-16 are counted by 16-bit units; every other
// encoding the reader knows writes these ASCII marks as single bytes.
class XmlAttributeCounter
{
public:
    explicit XmlAttributeCounter(int maxAttributes)
        : m_max(maxAttributes)
    {
    }

    // Counts the next piece of the document. Returns false when a tag holds more than the
    // maximum; tooManyLine() then names the line where that tag begins.
    bool add(QByteArrayView bytes);
    qint64 tooManyLine() const { return m_tagLine; }

private:
    enum class State { Outside, AfterOpen, InTag, InQuote };

    bool scan(QByteArrayView bytes);
    bool unit(char16_t c);
    void detectWidth(QByteArrayView bytes);

    int m_max;
    State m_state = State::Outside;
    char16_t m_quote = 0;
    int m_count = 0;
    qint64 m_line = 1;
    qint64 m_tagLine = 0;
    int m_width = 0; // bytes per unit: 0 while unknown, 1, or 2 for UTF-16
    bool m_bigEndian = false;
    QByteArray m_head; // the first bytes, until there are enough to tell the width
    int m_pending = -1; // the first byte of a 16-bit unit split between two pieces
};
