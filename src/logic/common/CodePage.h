#pragma once

#include <QByteArray>
#include <QString>

// Conversion between Unicode text and the single-byte code page of German Windows systems
// (Windows-1252), in which the address book's files and the version file are written.
namespace CodePage {

// One byte per character; a character the code page lacks becomes "?" (as Windows writes it).
QByteArray toAnsi(const QString &text);

// Every byte becomes one character; the five bytes the code page leaves undefined map to the
// control characters of the same code.
QString fromAnsi(const QByteArray &bytes);

} // namespace CodePage
