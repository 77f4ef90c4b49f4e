// The flag alphabet of the International Code of Signals, A to Z, in its colours. Drawn on a
// transparent ground so the chart sits on the panel's own background.

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

struct Flag
{
    char letter;
    const char *word;
};

constexpr Flag kFlags[] = {
    {'A', "Alfa"},    {'B', "Bravo"},  {'C', "Charlie"}, {'D', "Delta"},    {'E', "Echo"},
    {'F', "Foxtrot"}, {'G', "Golf"},   {'H', "Hotel"},   {'I', "India"},    {'J', "Juliett"},
    {'K', "Kilo"},    {'L', "Lima"},   {'M', "Mike"},    {'N', "November"}, {'O', "Oscar"},
    {'P', "Papa"},    {'Q', "Quebec"}, {'R', "Romeo"},   {'S', "Sierra"},   {'T', "Tango"},
    {'U', "Uniform"}, {'V', "Victor"}, {'W', "Whiskey"}, {'X', "X-ray"},    {'Y', "Yankee"},
    {'Z', "Zulu"},
};

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

void paintFlag(QPainter &p, char letter)
{
    const QRectF all(0, 0, kW, kH);
    switch (letter) {
    case 'A':
        stripes(p, {kWhite, kBlue});
        break;
    case 'B':
        p.fillRect(all, kRed);
        break;
    case 'C':
        bands(p, {{kBlue, 1}, {kWhite, 1}, {kRed, 1}, {kWhite, 1}, {kBlue, 1}});
        break;
    case 'D':
        bands(p, {{kYellow, 1}, {kBlue, 2}, {kYellow, 1}});
        break;
    case 'E':
        bands(p, {{kBlue, 1}, {kRed, 1}});
        break;
    case 'F':
        p.fillRect(all, kWhite);
        polygon(p, kRed, {{kW / 2, 0}, {kW, kH / 2}, {kW / 2, kH}, {0, kH / 2}});
        break;
    case 'G':
        stripes(p, {kYellow, kBlue, kYellow, kBlue, kYellow, kBlue});
        break;
    case 'H':
        stripes(p, {kWhite, kRed});
        break;
    case 'I':
        p.fillRect(all, kYellow);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlack);
        p.drawEllipse(QPointF(kW / 2, kH / 2), kH * 0.27, kH * 0.27);
        break;
    case 'J':
        bands(p, {{kBlue, 1}, {kWhite, 1}, {kBlue, 1}});
        break;
    case 'K':
        stripes(p, {kYellow, kBlue});
        break;
    case 'L':
        p.fillRect(QRectF(0, 0, kW / 2, kH / 2), kYellow);
        p.fillRect(QRectF(kW / 2, 0, kW / 2, kH / 2), kBlack);
        p.fillRect(QRectF(0, kH / 2, kW / 2, kH / 2), kBlack);
        p.fillRect(QRectF(kW / 2, kH / 2, kW / 2, kH / 2), kYellow);
        break;
    case 'M':
        p.fillRect(all, kBlue);
        saltire(p, kWhite, 9);
        break;
    case 'N':
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                p.fillRect(QRectF(c * kW / 4, r * kH / 4, kW / 4 + 0.5, kH / 4 + 0.5),
                           (r + c) % 2 == 0 ? kBlue : kWhite);
        break;
    case 'O': // red in the upper hoist, yellow in the lower fly
        polygon(p, kRed, {{0, 0}, {kW, 0}, {0, kH}});
        polygon(p, kYellow, {{kW, 0}, {kW, kH}, {0, kH}});
        break;
    case 'P':
        p.fillRect(all, kBlue);
        p.fillRect(QRectF(kW / 3, kH / 3, kW / 3, kH / 3), kWhite);
        break;
    case 'Q':
        p.fillRect(all, kYellow);
        break;
    case 'R':
        p.fillRect(all, kRed);
        cross(p, kYellow, 9);
        break;
    case 'S':
        p.fillRect(all, kWhite);
        p.fillRect(QRectF(kW / 3, kH / 3, kW / 3, kH / 3), kBlue);
        break;
    case 'T':
        stripes(p, {kRed, kWhite, kBlue});
        break;
    case 'U':
        p.fillRect(QRectF(0, 0, kW / 2, kH / 2), kRed);
        p.fillRect(QRectF(kW / 2, 0, kW / 2, kH / 2), kWhite);
        p.fillRect(QRectF(0, kH / 2, kW / 2, kH / 2), kWhite);
        p.fillRect(QRectF(kW / 2, kH / 2, kW / 2, kH / 2), kRed);
        break;
    case 'V':
        p.fillRect(all, kWhite);
        saltire(p, kRed, 9);
        break;
    case 'W':
        p.fillRect(all, kBlue);
        p.fillRect(all.adjusted(kH / 6, kH / 6, -kH / 6, -kH / 6), kWhite);
        p.fillRect(all.adjusted(kH / 3, kH / 3, -kH / 3, -kH / 3), kRed);
        break;
    case 'X':
        p.fillRect(all, kWhite);
        cross(p, kBlue, 9);
        break;
    case 'Y': { // diagonal stripes, yellow and red, running from the lower hoist to the upper fly
        p.fillRect(all, kYellow);
        p.setPen(QPen(kRed, 6.2, Qt::SolidLine, Qt::FlatCap));
        for (int k = -4; k < 12; k += 2) {
            const qreal x = k * 6.2 * 1.4142;
            p.drawLine(QPointF(x, kH), QPointF(x + kH, 0));
        }
        break;
    }
    case 'Z': {
        const QPointF c(kW / 2, kH / 2);
        polygon(p, kYellow, {{0, 0}, {kW, 0}, c});
        polygon(p, kBlue, {{kW, 0}, {kW, kH}, c});
        polygon(p, kRed, {{kW, kH}, {0, kH}, c});
        polygon(p, kBlack, {{0, kH}, {0, 0}, c});
        break;
    }
    default:
        break;
    }
}

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

void drawFlag(QPainter &p, QPointF at, char letter)
{
    p.save();
    p.translate(at);
    const QPainterPath shape = outline(letter);
    p.save();
    p.setClipPath(shape);
    paintFlag(p, letter);
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
        drawFlag(p, QPointF(x + (slot - kW) / 2, y + 2), flag.letter);
        drawLabel(p, QRectF(x, y + kH + 5, slot, 18), flag);
        ++index;
    }
    return image;
}
