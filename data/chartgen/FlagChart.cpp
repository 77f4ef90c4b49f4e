// The flag alphabet of the International Code of Signals, A to Z, in its colours. Drawn on a
// transparent ground so the chart sits on the panel's own background.
//
// The diagonals, flown with the hoist on the left: Oscar is divided from the upper fly to the
// lower hoist, red in the upper hoist and yellow in the lower fly (the same flag as the
// semaphore flag); Yankee has yellow and red stripes rising from the lower hoist to the upper
// fly, yellow in the upper hoist corner; Zulu has its four triangles black at the hoist, yellow
// at the top, blue at the fly and red at the bottom.

#include "ChartCanvas.h"

#include <QFontMetricsF>
#include <QPainterPath>

namespace {

const QColor kRed(204, 20, 30);
const QColor kBlue(0, 56, 150);
const QColor kYellow(255, 204, 0);
const QColor kWhite(Qt::white);
const QColor kBlack(20, 20, 20);

constexpr qreal kW = 66; // flag width (hoist on the left, fly on the right)
constexpr qreal kH = 44;

// Horizontal bands from top to bottom, each with a relative height.
void bands(QPainter &p, std::initializer_list<std::pair<QColor, qreal>> parts)
{
    qreal total = 0;
    for (const auto &part : parts)
        total += part.second;
    qreal y = 0;
    for (const auto &[colour, share] : parts) {
        p.fillRect(QRectF(0, y, kW, kH * share / total + 0.5), colour);
        y += kH * share / total;
    }
}

// Vertical stripes from hoist to fly, equal widths.
void stripes(QPainter &p, std::initializer_list<QColor> colours)
{
    const qreal w = kW / qreal(colours.size());
    qreal x = 0;
    for (const QColor &colour : colours) {
        p.fillRect(QRectF(x, 0, w + 0.5, kH), colour);
        x += w;
    }
}

void polygon(QPainter &p, const QColor &colour, std::initializer_list<QPointF> points)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void saltire(QPainter &p, const QColor &colour, qreal width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(0, 0), QPointF(kW, kH));
    p.drawLine(QPointF(0, kH), QPointF(kW, 0));
}

void cross(QPainter &p, const QColor &colour, qreal width)
{
    p.fillRect(QRectF((kW - width) / 2, 0, width, kH), colour);
    p.fillRect(QRectF(0, (kH - width) / 2, kW, width), colour);
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
    p.fillRect(QRectF(0, 0, kW, kH), field);
    p.fillRect(QRectF(kW / 3, kH / 3, kW / 3, kH / 3), square);
}

void plain(QPainter &p, const QColor &colour)
{
    p.fillRect(QRectF(0, 0, kW, kH), colour);
}

void checks(QPainter &p)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            p.fillRect(QRectF(c * kW / 4, r * kH / 4, kW / 4 + 0.5, kH / 4 + 0.5),
                       (r + c) % 2 == 0 ? kBlue : kWhite);
}

// Diagonal stripes, yellow and red, running from the lower hoist to the upper fly.
void diagonalStripes(QPainter &p)
{
    plain(p, kYellow);
    p.setPen(QPen(kRed, 6.2, Qt::SolidLine, Qt::FlatCap));
    for (int k = -4; k < 12; k += 2) {
        const qreal x = k * 6.2 * 1.4142;
        p.drawLine(QPointF(x, kH), QPointF(x + kH, 0));
    }
}

// Four triangles meeting in the centre: yellow above, blue at the fly, red below, black at
// the hoist.
void triangles(QPainter &p)
{
    const QPointF c(kW / 2, kH / 2);
    polygon(p, kYellow, {{0, 0}, {kW, 0}, c});
    polygon(p, kBlue, {{kW, 0}, {kW, kH}, c});
    polygon(p, kRed, {{kW, kH}, {0, kH}, c});
    polygon(p, kBlack, {{0, kH}, {0, 0}, c});
}

struct Flag
{
    char letter;
    const char *word;
    void (*paint)(QPainter &p);
};

// Each flag as flown, the hoist (mast side) on the left.
const Flag kFlags[] = {
    {'A', "Alfa",
     [](QPainter &p) {
         stripes(p, {kWhite, kBlue});
     }},
    {'B', "Bravo", [](QPainter &p) { plain(p, kRed); }},
    {'C', "Charlie",
     [](QPainter &p) {
         bands(p, {{kBlue, 1}, {kWhite, 1}, {kRed, 1}, {kWhite, 1}, {kBlue, 1}});
     }},
    {'D', "Delta",
     [](QPainter &p) {
         bands(p, {{kYellow, 1}, {kBlue, 2}, {kYellow, 1}});
     }},
    {'E', "Echo",
     [](QPainter &p) {
         bands(p, {{kBlue, 1}, {kRed, 1}});
     }},
    {'F', "Foxtrot",
     [](QPainter &p) {
         plain(p, kWhite);
         polygon(p, kRed, {{kW / 2, 0}, {kW, kH / 2}, {kW / 2, kH}, {0, kH / 2}});
     }},
    {'G', "Golf",
     [](QPainter &p) {
         stripes(p, {kYellow, kBlue, kYellow, kBlue, kYellow, kBlue});
     }},
    {'H', "Hotel",
     [](QPainter &p) {
         stripes(p, {kWhite, kRed});
     }},
    {'I', "India",
     [](QPainter &p) {
         plain(p, kYellow);
         p.setPen(Qt::NoPen);
         p.setBrush(kBlack);
         p.drawEllipse(QPointF(kW / 2, kH / 2), kH * 0.27, kH * 0.27);
     }},
    {'J', "Juliett",
     [](QPainter &p) {
         bands(p, {{kBlue, 1}, {kWhite, 1}, {kBlue, 1}});
     }},
    {'K', "Kilo",
     [](QPainter &p) {
         stripes(p, {kYellow, kBlue});
     }},
    {'L', "Lima", [](QPainter &p) { quarters(p, kYellow, kBlack); }},
    {'M', "Mike",
     [](QPainter &p) {
         plain(p, kBlue);
         saltire(p, kWhite, 9);
     }},
    {'N', "November", checks},
    {'O', "Oscar", // red in the upper hoist, yellow in the lower fly
     [](QPainter &p) {
         polygon(p, kRed, {{0, 0}, {kW, 0}, {0, kH}});
         polygon(p, kYellow, {{kW, 0}, {kW, kH}, {0, kH}});
     }},
    {'P', "Papa", [](QPainter &p) { centreSquare(p, kBlue, kWhite); }},
    {'Q', "Quebec", [](QPainter &p) { plain(p, kYellow); }},
    {'R', "Romeo",
     [](QPainter &p) {
         plain(p, kRed);
         cross(p, kYellow, 9);
     }},
    {'S', "Sierra", [](QPainter &p) { centreSquare(p, kWhite, kBlue); }},
    {'T', "Tango",
     [](QPainter &p) {
         stripes(p, {kRed, kWhite, kBlue});
     }},
    {'U', "Uniform", [](QPainter &p) { quarters(p, kRed, kWhite); }},
    {'V', "Victor",
     [](QPainter &p) {
         plain(p, kWhite);
         saltire(p, kRed, 9);
     }},
    {'W', "Whiskey",
     [](QPainter &p) {
         const QRectF all(0, 0, kW, kH);
         plain(p, kBlue);
         p.fillRect(all.adjusted(kH / 6, kH / 6, -kH / 6, -kH / 6), kWhite);
         p.fillRect(all.adjusted(kH / 3, kH / 3, -kH / 3, -kH / 3), kRed);
     }},
    {'X', "X-ray",
     [](QPainter &p) {
         plain(p, kWhite);
         cross(p, kBlue, 9);
     }},
    {'Y', "Yankee", diagonalStripes},
    {'Z', "Zulu", triangles},
};

// A and B are swallow-tailed: the fly is cut in by a quarter of the flag's width.
QPainterPath outline(char letter)
{
    QPainterPath path;
    if (letter == 'A' || letter == 'B') {
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

void drawFlag(QPainter &p, QPointF at, const Flag &flag)
{
    p.save();
    p.translate(at);
    const QPainterPath shape = outline(flag.letter);
    p.save();
    p.setClipPath(shape);
    flag.paint(p);
    p.restore();
    p.setPen(QPen(QColor(60, 60, 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.restore();
}

// The letter in bold and its spelling word beside it, centred together under the flag.
void drawLabel(QPainter &p, const QRectF &box, const Flag &flag)
{
    const QFont letterFont = Chart::font(13, true);
    const QFont wordFont = Chart::font(10);
    const QString letter = QString(QLatin1Char(flag.letter));
    const QString word = QLatin1String(flag.word);
    const qreal letterWidth = QFontMetricsF(letterFont).horizontalAdvance(letter) + 4;
    const qreal total = letterWidth + QFontMetricsF(wordFont).horizontalAdvance(word);
    const qreal left = box.left() + (box.width() - total) / 2;
    p.setPen(Chart::kTitle);
    p.setFont(letterFont);
    p.drawText(QRectF(left, box.top(), letterWidth, box.height()), Qt::AlignLeft | Qt::AlignVCenter,
               letter);
    p.setPen(Chart::kInk);
    p.setFont(wordFont);
    p.drawText(QRectF(left + letterWidth, box.top(), total - letterWidth + 2, box.height()),
               Qt::AlignLeft | Qt::AlignVCenter, word);
}

} // namespace

QImage drawFlags()
{
    QImage image = Chart::blank(Chart::kMaxHeight, true);
    QPainter p(&image);
    Chart::begin(p);
    const int top = Chart::drawTitle(
        p, QStringLiteral("Flaggenalphabet"),
        QStringLiteral("Internationales Signalbuch: je eine Flagge für jeden Buchstaben "
                       "(Mast links)."));
    constexpr int kColumns = 6;
    const qreal slot = (Chart::kWidth - 2 * Chart::kMargin) / qreal(kColumns);
    constexpr int kRowHeight = 72;
    int index = 0;
    for (const Flag &flag : kFlags) {
        const qreal x = Chart::kMargin + (index % kColumns) * slot;
        const qreal y = top + (index / kColumns) * kRowHeight;
        drawFlag(p, QPointF(x + (slot - kW) / 2, y + 2), flag);
        drawLabel(p, QRectF(x, y + kH + 5, slot, 18), flag);
        ++index;
    }
    return image;
}
