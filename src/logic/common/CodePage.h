#pragma once

#include <QByteArray>
#include <QString>

// Conversion between Unicode text and the single-byte code page of German Windows systems
// (Windows-1252), in which the address book's files and the version file are written.
namespace CodePage {

// One byte per character; a character the code page lacks becomes "?" (as Windows writes it).
QByteArray toAnsi(QStringView text);
inline QByteArray toAnsi(const QString &text)
{
    return toAnsi(QStringView(text));
}

// Every byte becomes one character; the five bytes the code page leaves undefined map to the
// control characters of the same code.
QString fromAnsi(QByteArrayView bytes);
inline QString fromAnsi(const QByteArray &bytes)
{
    return fromAnsi(QByteArrayView(bytes));
}

// The same into a buffer of text.size() bytes.
void toAnsi(QStringView text, char *out);

// The same for one character. All conversions go through tables made once.
QChar charFromAnsi(uchar byte);
char charToAnsi(QChar character);

// charToAnsi for loops over many characters: the table is looked up once.
class ToAnsi
{
public:
    ToAnsi();
    char operator()(char16_t unit) const
    {
        const uchar byte = m_table[unit];
        return byte != 0 || unit == 0 ? char(byte) : '?';
    }

private:
    const uchar *m_table;
};

// Whether toAnsi(text) would give exactly `bytes`, without making them.
bool sameInAnsi(QStringView text, QByteArrayView bytes);

} // namespace CodePage
