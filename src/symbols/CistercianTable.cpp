// Cistercian numerals: one vertical stave carries the units at its upper right, the tens at its
// upper left, the hundreds at its lower right and the thousands at its lower left, so one glyph
// writes any number from 1 to 9999. The table lists the 36 single-digit glyphs; a number is
// their strokes on one stave.

#include "symbols/SymbolRules.h"
#include "symbols/TableParts.h"

#include <QLineF>

namespace SymbolTables {

namespace Rules {

unsigned cistercianDigit(int digit)
{
    static constexpr unsigned kStrokes[10] = {
        0,     Top,         Lower,         DiagonalDown,        DiagonalUp, Top | DiagonalUp,
        Outer, Top | Outer, Lower | Outer, Top | Lower | Outer,
    };
    return digit >= 1 && digit <= 9 ? kStrokes[digit] : 0u;
}

} // namespace Rules

namespace {

// The lines of one digit at `place` (0 units … 3 thousands) in stave coordinates: x across from
// the stave (-1..1), y down from the top (0..3).
QList<QLineF> digitLines(int digit, int place)
{
    using namespace Rules;
    const unsigned strokes = cistercianDigit(digit);
    const double sx = (place == 1 || place == 3) ? -1 : 1;
    const bool low = place >= 2;
    // u outward from the stave, v from the stave's end inward.
    const auto at = [&](double u, double v) { return QPointF(sx * u, low ? 3 - v : v); };
    QList<QLineF> lines;
    if (strokes & Top)
        lines.append({at(0, 0), at(1, 0)});
    if (strokes & Lower)
        lines.append({at(0, 1), at(1, 1)});
    if (strokes & DiagonalDown)
        lines.append({at(0, 0), at(1, 1)});
    if (strokes & DiagonalUp)
        lines.append({at(0, 1), at(1, 0)});
    if (strokes & Outer)
        lines.append({at(1, 0), at(1, 1)});
    return lines;
}

void drawNumber(QPainter &painter, const QRectF &box, int value)
{
    const double unit = std::min(box.height() / 3.2, box.width() / 2.4);
    const QPointF origin(box.center().x(), box.center().y() - 1.5 * unit);
    const auto map = [&](QPointF p) { return origin + p * unit; };
    painter.setPen(
        QPen(QColor(20, 20, 30), unit * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(map({0, 0}), map({0, 3}));
    for (int place = 0; place < 4; ++place) {
        const int digit = value % 10;
        value /= 10;
        for (const QLineF &line : digitLines(digit, place))
            painter.drawLine(map(line.p1()), map(line.p2()));
    }
}

} // namespace

namespace Parts {

QList<Table> cistercianTables()
{
    QList<int> values;
    QStringList meanings;
    for (int scale = 1; scale <= 1000; scale *= 10)
        for (int digit = 1; digit <= 9; ++digit) {
            values.append(digit * scale);
            meanings.append(QString::number(digit * scale));
        }
    return {drawnTable(
        "zisterzienser", QStringLiteral("Zisterziensische Ziffern (1–9999)"),
        QStringLiteral("Zahlen"),
        QStringLiteral("gezeichnet nach der Regel der Zisterzienser-Ziffern: "
                       "Einer oben rechts, Zehner oben links, Hunderter unten "
                       "rechts, Tausender unten links am senkrechten Stab"),
        meanings,
        [values](QPainter &painter, const QRectF &box, int index) {
            drawNumber(painter, box, values.at(index));
        },
        0.7)};
}

} // namespace Parts

} // namespace SymbolTables
