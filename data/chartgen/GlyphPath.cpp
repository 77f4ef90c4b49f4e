#include "GlyphPath.h"

#include <QRegularExpression>
#include <QStringList>

QPainterPath glyphPath(const char *outline, qreal scale, QPointF origin)
{
    // Commands may stand right before their first number ("M8 12").
    QStringList tokens;
    static const QRegularExpression token(QStringLiteral("[A-Z]|-?[0-9]+(?:\\.[0-9]+)?"));
    for (auto it = token.globalMatch(QString::fromLatin1(outline)); it.hasNext();)
        tokens.append(it.next().captured());
    QPainterPath path;
    qsizetype i = 0;
    auto number = [&] { return i < tokens.size() ? tokens[i++].toDouble() : 0.0; };
    auto point = [&] {
        const qreal x = number();
        const qreal y = number();
        return origin + QPointF(x, y) * scale;
    };
    while (i < tokens.size()) {
        const QString command = tokens[i++];
        if (command == u"M") {
            path.moveTo(point());
        } else if (command == u"L") {
            path.lineTo(point());
        } else if (command == u"Q") {
            const QPointF c = point();
            path.quadTo(c, point());
        } else if (command == u"C") {
            const QPointF c1 = point();
            const QPointF c2 = point();
            path.cubicTo(c1, c2, point());
        } else if (command == u"O") {
            const QPointF c = point();
            const qreal r = number() * scale;
            path.addEllipse(c, r, r);
        }
    }
    return path;
}
