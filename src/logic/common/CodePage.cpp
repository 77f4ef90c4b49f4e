#include "logic/common/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace CodePage {
namespace {

constexpr char kSubstitute = '?';
constexpr char kEncoderSubstitute = 0x1A; // what the encoder writes for an unmappable character

QByteArray encodeOne(QStringView character)
{
    QStringEncoder encoder("windows-1252");
    QByteArray byte = encoder.encode(character);
    if (byte.size() != 1 || (byte.at(0) == kEncoderSubstitute && character != u'\x1a'))
        return QByteArray(1, kSubstitute);
    return byte;
}

} // namespace

QByteArray toAnsi(const QString &text)
{
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(text);
    if (bytes.size() != text.size()) {
        // Surrogate pairs or an encoder that did not keep one byte per code unit: go one by one.
        bytes.clear();
        for (qsizetype i = 0; i < text.size(); ++i)
            bytes += encodeOne(QStringView(text).mid(i, 1));
        return bytes;
    }
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == kEncoderSubstitute && text.at(i) != u'\x1a')
            bytes[i] = kSubstitute;
    }
    return bytes;
}

QString fromAnsi(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    QString text = decoder.decode(bytes);
    if (text.size() == bytes.size())
        return text;
    // Keep one character per byte whatever the decoder did with undefined bytes.
    text.clear();
    for (const char byte : bytes) {
        const QString one = QStringDecoder("windows-1252").decode(QByteArrayView(&byte, 1));
        text += one.size() == 1 ? one.at(0) : QChar(uchar(byte));
    }
    return text;
}

} // namespace CodePage
