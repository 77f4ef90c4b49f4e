#pragma once

#include <QByteArrayView>
#include <QString>

// Values hidden from common viewers by a leading NUL or control characters are shown whole:
// every control character becomes a visible stand-in and nothing is cut off.
namespace ImageAnalysis {

// C0 controls and DEL as their Unicode control pictures (NUL as "␀", line feed as "␊"), C1
// controls and non-characters as "<9F>" with their code in hexadecimal.
QString makeVisible(const QString &text);

// Bytes of a metadata field as text: UTF-8 when they are valid UTF-8, Latin-1 otherwise.
QString decodeFieldText(QByteArrayView bytes);

} // namespace ImageAnalysis
