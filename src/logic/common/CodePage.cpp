#include "logic/common/CodePage.h"

#include <QStringDecoder>

#include <array>

namespace CodePage {
namespace {

constexpr char kSubstitute = '?';

// Both tables come from the system's own Windows-1252 decoder, asked once for every byte.
struct Tables
{
    std::array<char16_t, 256> toUnicode {};
    std::array<uchar, 0x10000> toAnsi {}; // 0 for characters the code page lacks (but U+0000)

    Tables()
    {
        QStringDecoder decoder("windows-1252");
        for (int byte = 0; byte < 256; ++byte) {
            const char b = char(byte);
            const QString one = decoder.decode(QByteArrayView(&b, 1));
            const bool defined = one.size() == 1 && one.at(0) != QChar::ReplacementCharacter;
            toUnicode[size_t(byte)] = defined ? one.at(0).unicode() : char16_t(byte);
        }
        for (int byte = 255; byte >= 0; --byte)
            toAnsi[toUnicode[size_t(byte)]] = uchar(byte);
    }
};

const Tables &tables()
{
    static const Tables instance;
    return instance;
}

} // namespace

QChar charFromAnsi(uchar byte)
{
    return QChar(tables().toUnicode[byte]);
}

char charToAnsi(QChar character)
{
    const uchar byte = tables().toAnsi[character.unicode()];
    return byte != 0 || character.unicode() == 0 ? char(byte) : kSubstitute;
}

ToAnsi::ToAnsi()
    : m_table(tables().toAnsi.data())
{
}

bool sameInAnsi(QStringView text, QByteArrayView bytes)
{
    if (text.size() != bytes.size())
        return false;
    const ToAnsi convert;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (convert(text[i].unicode()) != bytes[i])
            return false;
    }
    return true;
}

void toAnsi(QStringView text, char *out)
{
    const Tables &t = tables();
    for (const QChar c : text) {
        const uchar byte = t.toAnsi[c.unicode()];
        *out++ = byte != 0 || c.unicode() == 0 ? char(byte) : kSubstitute;
    }
}

QByteArray toAnsi(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    toAnsi(text, bytes.data());
    return bytes;
}

QString fromAnsi(QByteArrayView bytes)
{
    const Tables &t = tables();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(t.toUnicode[uchar(byte)]);
    return text;
}

} // namespace CodePage
