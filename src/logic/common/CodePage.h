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

} // namespace CodePage
