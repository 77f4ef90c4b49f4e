// The freemasons' cipher (pigpen): A-I in a noughts-and-crosses grid, J-R in a second grid
// with a dot, S-V in a diagonal cross, W-Z in a second cross with a dot. A letter is written as
// the lines around its place, with the dot where its figure has one.

#include "ChartCanvas.h"

namespace {

const QColor kLine(30, 30, 40);

// The lines and the dot of one letter's symbol in a square of side `s` at `o`.
void drawSymbol(QPainter &p, QPointF o, qreal s, int letter)
{
    p.save();
    p.setPen(QPen(kLine, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF tl = o, tr(o.x() + s, o.y()), bl(o.x(), o.y() + s), br(o.x() + s, o.y() + s);
    const QPointF mid(o.x() + s / 2, o.y() + s / 2);
    bool dot = false;
    QPointF dotAt = mid;
    if (letter < 18) { // the two grids
        dot = letter >= 9;
        const int k = letter % 9;
        const int row = k / 3, col = k % 3;
        if (row > 0)
            p.drawLine(tl, tr);
        if (row < 2)
            p.drawLine(bl, br);
        if (col > 0)
            p.drawLine(tl, bl);
        if (col < 2)
            p.drawLine(tr, br);
    } else { // the two crosses: top, left, right, bottom
        dot = letter >= 22;
        const int k = (letter - 18) % 4;
        switch (k) {
        case 0: // opening upwards: V
            p.drawPolyline(QPolygonF({tl, QPointF(mid.x(), bl.y()), tr}));
            dotAt = QPointF(mid.x(), o.y() + s * 0.45);
            break;
        case 1: // opening to the left: >
            p.drawPolyline(QPolygonF({tl, QPointF(tr.x(), mid.y()), bl}));
            dotAt = QPointF(o.x() + s * 0.45, mid.y());
            break;
        case 2: // opening to the right: <
            p.drawPolyline(QPolygonF({tr, QPointF(tl.x(), mid.y()), br}));
            dotAt = QPointF(o.x() + s * 0.55, mid.y());
            break;
        default: // opening downwards: Λ
            p.drawPolyline(QPolygonF({bl, QPointF(mid.x(), tl.y()), br}));
            dotAt = QPointF(mid.x(), o.y() + s * 0.55);
            break;
        }
    }
    if (dot) {
        p.setPen(Qt::NoPen);
        p.setBrush(kLine);
        p.drawEllipse(dotAt, 3.2, 3.2);
    }
    p.restore();
}

QString letterText(int letter)
{
    return QString(QChar(u'A' + letter));
}

// The key: a grid with its nine letters, optionally with dots.
void drawGridKey(QPainter &p, QPointF o, qreal cell, int first, bool dots)
{
    p.save();
    p.setPen(QPen(kLine, 2.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 2; ++i) {
        p.drawLine(QPointF(o.x() + i * cell, o.y()), QPointF(o.x() + i * cell, o.y() + 3 * cell));
        p.drawLine(QPointF(o.x(), o.y() + i * cell), QPointF(o.x() + 3 * cell, o.y() + i * cell));
    }
    for (int k = 0; k < 9; ++k) {
        const QRectF box(o.x() + (k % 3) * cell, o.y() + (k / 3) * cell, cell, cell);
        Chart::drawCentred(p, box.adjusted(0, dots ? -7 : 0, 0, dots ? -7 : 0),
                           letterText(first + k), Chart::font(14, true), Chart::kTitle);
        if (dots) {
            p.setPen(Qt::NoPen);
            p.setBrush(kLine);
            p.drawEllipse(box.center() + QPointF(0, 10), 2.6, 2.6);
            p.setPen(QPen(kLine, 2.4, Qt::SolidLine, Qt::RoundCap));
        }
    }
    p.restore();
}

void drawCrossKey(QPainter &p, QPointF o, qreal size, int first, bool dots)
{
    p.save();
    p.setPen(QPen(kLine, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(o, o + QPointF(size, size));
    p.drawLine(o + QPointF(size, 0), o + QPointF(0, size));
    const qreal h = size / 2;
    const QPointF places[] = {
        {h, size * 0.17}, {size * 0.17, h}, {size * 0.83, h}, {h, size * 0.83}};
    for (int k = 0; k < 4; ++k) {
        const QPointF c = o + places[k];
        Chart::drawCentred(p, QRectF(c.x() - 10, c.y() - 10, 20, 20), letterText(first + k),
                           Chart::font(14, true), Chart::kTitle);
        if (dots) {
            const QPointF towardsCentre = (o + QPointF(h, h) - c) * 0.42;
            p.setPen(Qt::NoPen);
            p.setBrush(kLine);
            p.drawEllipse(c + towardsCentre, 2.6, 2.6);
            p.setPen(QPen(kLine, 2.4, Qt::SolidLine, Qt::RoundCap));
        }
    }
    p.restore();
}

} // namespace

QImage drawPigpen()
{
    QImage image = Chart::blank(Chart::kMaxHeight);
    QPainter p(&image);
    Chart::begin(p);
    int y = Chart::drawTitle(p, QStringLiteral("Freimaurer-Code"),
                             QStringLiteral("Jeder Buchstabe wird durch die Linien um seinen Platz "
                                            "ersetzt, mit Punkt, wo seine Figur einen hat."));
    const qreal cell = 33;
    drawGridKey(p, QPointF(Chart::kMargin + 4, y + 2), cell, 0, false);
    drawGridKey(p, QPointF(Chart::kMargin + 120, y + 2), cell, 9, true);
    drawCrossKey(p, QPointF(Chart::kMargin + 244, y + 2), 98, 18, false);
    drawCrossKey(p, QPointF(Chart::kMargin + 368, y + 2), 98, 22, true);
    y += 112;

    constexpr int kPerRow = 9;
    const qreal slot = (Chart::kWidth - 2 * Chart::kMargin) / qreal(kPerRow);
    for (int letter = 0; letter < 26; ++letter) {
        const qreal x = Chart::kMargin + (letter % kPerRow) * slot;
        const qreal top = y + (letter / kPerRow) * 66;
        p.fillRect(QRectF(x + 3, top, slot - 6, 60), Chart::kShade);
        drawSymbol(p, QPointF(x + (slot - 26) / 2, top + 6), 26, letter);
        Chart::drawCentred(p, QRectF(x, top + 38, slot, 20), letterText(letter),
                           Chart::font(14, true), Chart::kTitle);
    }
    y += 3 * 66 + 6;

    // A worked example.
    p.setFont(Chart::font(12, true));
    p.setPen(Chart::kMuted);
    p.drawText(QRectF(Chart::kMargin, y, 160, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Beispiel GEOCACHE:"));
    const QString word = QStringLiteral("GEOCACHE");
    for (int i = 0; i < word.size(); ++i)
        drawSymbol(p, QPointF(Chart::kMargin + 150 + i * 36, y + 4), 22,
                   word.at(i).unicode() - u'A');
    return image;
}
