#include "gui/support/Pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace Pictures {

QPixmap compassRose(const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(QColor(246, 241, 222));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // Contour lines and a coordinate grid, as on a hiking map.
    p.setPen(QPen(QColor(190, 170, 120), 1));
    for (int k = 1; k < 8; ++k)
        p.drawEllipse(QPointF(size.width() * 0.78, size.height() * 0.3), k * 14.0, k * 9.0);
    p.setPen(QPen(QColor(120, 150, 200, 120), 1, Qt::DashLine));
    for (int x = 0; x < size.width(); x += 40)
        p.drawLine(x, 0, x, size.height());
    for (int y = 0; y < size.height(); y += 40)
        p.drawLine(0, y, size.width(), y);

    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    const qreal r = std::min(size.width(), size.height()) * 0.42;
    p.setPen(QPen(QColor(90, 60, 30), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    p.drawEllipse(c, r * 0.82, r * 0.82);
    for (int i = 0; i < 8; ++i) {
        const qreal a = qDegreesToRadians(i * 45.0);
        const qreal len = (i % 2 == 0) ? r * 0.95 : r * 0.6;
        const qreal w = (i % 2 == 0) ? r * 0.14 : r * 0.1;
        const QPointF tip(c.x() + len * std::sin(a), c.y() - len * std::cos(a));
        const QPointF left(c.x() + w * std::sin(a - M_PI_2), c.y() - w * std::cos(a - M_PI_2));
        const QPointF right(c.x() + w * std::sin(a + M_PI_2), c.y() - w * std::cos(a + M_PI_2));
        QPainterPath half1;
        half1.moveTo(c);
        half1.lineTo(left);
        half1.lineTo(tip);
        half1.closeSubpath();
        QPainterPath half2;
        half2.moveTo(c);
        half2.lineTo(right);
        half2.lineTo(tip);
        half2.closeSubpath();
        const QColor dark = i == 0 ? QColor(170, 20, 20) : QColor(60, 40, 90);
        p.fillPath(half1, dark);
        p.fillPath(half2, QColor(235, 225, 200));
        p.setPen(QPen(dark, 1));
        p.drawPath(half1);
        p.drawPath(half2);
    }
    QFont font(QStringLiteral("DejaVu Serif"), int(r * 0.16), QFont::Bold);
    p.setFont(font);
    p.setPen(QColor(90, 60, 30));
    const char16_t *letters[] = {u"N", u"O", u"S", u"W"};
    for (int i = 0; i < 4; ++i) {
        const qreal a = qDegreesToRadians(i * 90.0);
        const QPointF at(c.x() + r * 1.12 * std::sin(a), c.y() - r * 1.12 * std::cos(a));
        const QRectF box(at.x() - 20, at.y() - 14, 40, 28);
        p.drawText(box, Qt::AlignCenter, QString::fromUtf16(letters[i]));
    }
    return pixmap;
}

} // namespace Pictures
