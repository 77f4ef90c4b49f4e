#include "gui/support/LongLines.h"

namespace LongLines {

bool hasLongLine(const QString &text)
{
    if (text.size() <= kLongestLine)
        return false;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        if (end - start > kLongestLine)
            return true;
        start = end + 1;
    }
    return false;
}

QString forDisplay(const QString &text)
{
    if (!hasLongLine(text))
        return text;
    QString out = text;
    qsizetype lineStart = 0;
    while (lineStart < out.size()) {
        qsizetype lineEnd = out.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = out.size();
        if (lineEnd - lineStart > kLongestLine) {
            qsizetype column = 0;
            for (qsizetype i = lineStart; i < lineEnd; ++i, ++column) {
                if (column >= kWrapColumn && out.at(i) == u' ') {
                    out[i] = u'\n';
                    column = -1;
                }
            }
        }
        lineStart = lineEnd + 1;
    }
    return out;
}

} // namespace LongLines
