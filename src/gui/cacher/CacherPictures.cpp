#include "gui/cacher/CacherPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace CacherPictures {
namespace {

constexpr int kSize = 20;

QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

QIcon envelope()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(60, 60, 90), 1.2));
        p.setBrush(QColor(250, 240, 200));
        const QRectF body(2.5, 5.5, 15, 10);
        p.drawRect(body);
        QPainterPath flap;
        flap.moveTo(body.topLeft());
        flap.lineTo(body.center().x(), body.top() + 6);
        flap.lineTo(body.topRight());
        p.setBrush(Qt::NoBrush);
        p.drawPath(flap);
    });
}

QIcon profile()
{
    return drawn([](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 110, 60)); // the green of a cacher's jacket
        p.drawEllipse(QRectF(6.5, 2, 7, 7));
        QPainterPath shoulders;
        shoulders.moveTo(3, 18);
        shoulders.cubicTo(3, 10, 17, 10, 17, 18);
        shoulders.closeSubpath();
        p.drawPath(shoulders);
    });
}

QIcon homepage()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(30, 80, 160), 1.2));
        p.setBrush(QColor(200, 225, 250));
        const QRectF globe(2.5, 2.5, 15, 15);
        p.drawEllipse(globe);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(6.5, 2.5, 7, 15));
        p.drawLine(QPointF(2.5, 10), QPointF(17.5, 10));
        p.drawLine(QPointF(10, 2.5), QPointF(10, 17.5));
    });
}

} // namespace CacherPictures
