#include "image/VisibleText.h"

#include <QStringDecoder>

namespace ImageAnalysis {

QString makeVisible(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code < 0x20)
            shown += QChar(char16_t(0x2400 + code));
        else if (code == 0x7F)
            shown += QChar(char16_t(0x2421));
        else if ((code >= 0x80 && code <= 0x9F) || code == 0xFFFE || code == 0xFFFF)
            shown += QStringLiteral("<%1>").arg(int(code), 2, 16, QLatin1Char('0')).toUpper();
        else
            shown += c;
    }
    return shown;
}

QString decodeFieldText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes.data(), bytes.size());
}

} // namespace ImageAnalysis
