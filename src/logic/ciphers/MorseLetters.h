#pragma once

#include <QString>
#include <QStringView>

namespace Ciphers {

// The character one Morse letter of dots and dashes stands for ("----" is "CH"), or nullptr for
// none. A table lookup without a string per letter: the ciphers built on Morse decode megabytes.
const QString *morseCharacter(QStringView signs);

} // namespace Ciphers
