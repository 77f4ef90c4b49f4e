// The flag alphabet of the International Code of Signals, A to Z, flown with the hoist on the
// left. Oscar is divided from the upper fly to the lower hoist, red in the upper hoist; Yankee
// has yellow and red stripes rising from the lower hoist to the upper fly; Zulu has its four
// triangles black at the hoist, yellow at the top, blue at the fly and red at the bottom.

#include "symbols/TableParts.h"

#include <QPainterPath>

namespace SymbolTables {

namespace {

const QColor kRed(204, 20, 30);
const QColor kBlue(0, 56, 150);
const QColor kYellow(255, 204, 0);
const QColor kWhite(Qt::white);
const QColor kBlack(20, 20, 20);

// Flags are painted on a 3 × 2 field and scaled into their box.
constexpr qreal kW = 3;
constexpr qreal kH = 2;

void bands(QPainter &p, std::initializer_list<std::pair<QColor, qreal>> parts)
{
    qreal total = 0;
    for (const auto &part : parts)
        total += part.second;
    qreal y = 0;
    for (const auto &[colour, share] : parts) {
        p.fillRect(QRectF(0, y, kW, kH * share / total + 0.01), colour);
        y += kH * share / total;
    }
}

void stripes(QPainter &p, std::initializer_list<QColor> colours)
{
    const qreal w = kW / qreal(colours.size());
    qreal x = 0;
    for (const QColor &colour : colours) {
        p.fillRect(QRectF(x, 0, w + 0.01, kH), colour);
        x += w;
    }
}

void polygon(QPainter &p, const QColor &colour, std::initializer_list<QPointF> points)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void plain(QPainter &p, const QColor &colour)
{
    p.fillRect(QRectF(0, 0, kW, kH), colour);
}

void saltire(QPainter &p, const QColor &field, const QColor &colour)
{
    plain(p, field);
    p.setPen(QPen(colour, 0.42, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(0, 0), QPointF(kW, kH));
    p.drawLine(QPointF(0, kH), QPointF(kW, 0));
}

void cross(QPainter &p, const QColor &field, const QColor &colour)
{
    plain(p, field);
    p.fillRect(QRectF((kW - 0.42) / 2, 0, 0.42, kH), colour);
    p.fillRect(QRectF(0, (kH - 0.42) / 2, kW, 0.42), colour);
}

void quarters(QPainter &p, const QColor &upperHoist, const QColor &upperFly)
{
    p.fillRect(QRectF(0, 0, kW / 2, kH / 2), upperHoist);
    p.fillRect(QRectF(kW / 2, 0, kW / 2, kH / 2), upperFly);
    p.fillRect(QRectF(0, kH / 2, kW / 2, kH / 2), upperFly);
    p.fillRect(QRectF(kW / 2, kH / 2, kW / 2, kH / 2), upperHoist);
}

void centreSquare(QPainter &p, const QColor &field, const QColor &square)
{
    plain(p, field);
    p.fillRect(QRectF(kW / 3, kH / 3, kW / 3, kH / 3), square);
}

void diagonalStripes(QPainter &p)
{
    plain(p, kYellow);
    p.setPen(QPen(kRed, 0.28, Qt::SolidLine, Qt::FlatCap));
    for (int k = -4; k < 12; k += 2) {
        const qreal x = k * 0.28 * 1.4142;
        p.drawLine(QPointF(x, kH), QPointF(x + kH, 0));
    }
}

void checks(QPainter &p)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            p.fillRect(QRectF(c * kW / 4, r * kH / 4, kW / 4 + 0.01, kH / 4 + 0.01),
                       (r + c) % 2 == 0 ? kBlue : kWhite);
}

void triangles(QPainter &p)
{
    const QPointF c(kW / 2, kH / 2);
    polygon(p, kYellow, {{0, 0}, {kW, 0}, c});
    polygon(p, kBlue, {{kW, 0}, {kW, kH}, c});
    polygon(p, kRed, {{kW, kH}, {0, kH}, c});
    polygon(p, kBlack, {{0, kH}, {0, 0}, c});
}

// Each flag A–Z as flown, the hoist (mast side) on the left.
using FlagPainter = void (*)(QPainter &);
const FlagPainter kFlags[26] = {
    [](QPainter &p) {
        stripes(p, {kWhite, kBlue});
    },
    [](QPainter &p) { plain(p, kRed); },
    [](QPainter &p) {
        bands(p, {{kBlue, 1}, {kWhite, 1}, {kRed, 1}, {kWhite, 1}, {kBlue, 1}});
    },
    [](QPainter &p) {
        bands(p, {{kYellow, 1}, {kBlue, 2}, {kYellow, 1}});
    },
    [](QPainter &p) {
        bands(p, {{kBlue, 1}, {kRed, 1}});
    },
    [](QPainter &p) {
        plain(p, kWhite);
        polygon(p, kRed, {{kW / 2, 0}, {kW, kH / 2}, {kW / 2, kH}, {0, kH / 2}});
    },
    [](QPainter &p) {
        stripes(p, {kYellow, kBlue, kYellow, kBlue, kYellow, kBlue});
    },
    [](QPainter &p) {
        stripes(p, {kWhite, kRed});
    },
    [](QPainter &p) {
        plain(p, kYellow);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlack);
        p.drawEllipse(QPointF(kW / 2, kH / 2), kH * 0.27, kH * 0.27);
    },
    [](QPainter &p) {
        bands(p, {{kBlue, 1}, {kWhite, 1}, {kBlue, 1}});
    },
    [](QPainter &p) {
        stripes(p, {kYellow, kBlue});
    },
    [](QPainter &p) { quarters(p, kYellow, kBlack); },
    [](QPainter &p) { saltire(p, kBlue, kWhite); },
    checks,
    [](QPainter &p) {
        polygon(p, kRed, {{0, 0}, {kW, 0}, {0, kH}});
        polygon(p, kYellow, {{kW, 0}, {kW, kH}, {0, kH}});
    },
    [](QPainter &p) { centreSquare(p, kBlue, kWhite); },
    [](QPainter &p) { plain(p, kYellow); },
    [](QPainter &p) { cross(p, kRed, kYellow); },
    [](QPainter &p) { centreSquare(p, kWhite, kBlue); },
    [](QPainter &p) {
        stripes(p, {kRed, kWhite, kBlue});
    },
    [](QPainter &p) { quarters(p, kRed, kWhite); },
    [](QPainter &p) { saltire(p, kWhite, kRed); },
    [](QPainter &p) {
        plain(p, kBlue);
        p.fillRect(QRectF(kH / 6, kH / 6, kW - kH / 3, kH * 2 / 3), kWhite);
        p.fillRect(QRectF(kH / 3, kH / 3, kW - kH * 2 / 3, kH / 3), kRed);
    },
    [](QPainter &p) { cross(p, kWhite, kBlue); },
    diagonalStripes,
    triangles,
};

// A and B are swallow-tailed: the fly is cut in by a quarter of the flag's width.
QPainterPath outline(int letter)
{
    QPainterPath path;
    if (letter <= 1) {
        path.moveTo(0, 0);
        path.lineTo(kW, 0);
        path.lineTo(kW * 0.75, kH / 2);
        path.lineTo(kW, kH);
        path.lineTo(0, kH);
        path.closeSubpath();
    } else {
        path.addRect(QRectF(0, 0, kW, kH));
    }
    return path;
}

void drawFlag(QPainter &p, const QRectF &box, int letter)
{
    const qreal scale = std::min(box.width() / kW, box.height() / kH);
    p.translate(box.center().x() - kW * scale / 2, box.center().y() - kH * scale / 2);
    p.scale(scale, scale);
    const QPainterPath shape = outline(letter);
    p.save();
    p.setClipPath(shape);
    kFlags[letter](p);
    p.restore();
    p.setPen(QPen(QColor(60, 60, 70), 1.0 / scale));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

} // namespace

namespace Parts {

QList<Table> flagTables()
{
    QStringList letters;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters.append(QString(QLatin1Char(c)));
    return {drawnTable("flaggen", QStringLiteral("Flaggenalphabet (Internationales Signalbuch)"),
                       QStringLiteral("Signale"),
                       QStringLiteral("gezeichnet nach den Beschreibungen der Buchstabenflaggen "
                                      "des Internationalen Signalbuchs (Farben und Teilungen)"),
                       letters, drawFlag, 1.5)};
}

} // namespace Parts

} // namespace SymbolTables
