#include "gui/support/VisibleText.h"

namespace {

constexpr char16_t kControlPictures = 0x2400; // "␀" for U+0000, in the order of the controls
constexpr char16_t kDeletePicture = 0x2421; // "␡"

} // namespace

QString visibleLine(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\r' || c == u'\n') {
            if (!(c == u'\n' && i > 0 && text.at(i - 1) == u'\r'))
                out.append(u' ');
        } else if (c < 0x20) {
            out.append(QChar(char16_t(kControlPictures + c)));
        } else if (c == 0x7F) {
            out.append(QChar(kDeletePicture));
        } else if (c >= 0x80 && c <= 0x9F) {
            out.append(QStringLiteral("\\x") +
                       QStringLiteral("%1").arg(unsigned(c), 2, 16, QChar(u'0')).toUpper());
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}
