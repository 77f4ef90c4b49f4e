// The freemasons' cipher (pigpen) in its three common layouts. The letters are written into two
// noughts-and-crosses grids and two diagonal crosses; a letter is drawn as the lines around its
// place, with a dot where its grid or cross has dots.

#include "symbols/SymbolRules.h"
#include "symbols/TableParts.h"

namespace SymbolTables {

namespace {

using Rules::PigpenSign;

// Letters `first`.. into the grid places 0–8 or the cross places 0–3.
void place(QList<PigpenSign> &signs, char first, int count, bool cross, bool dot, int step = 1,
           int offset = 0)
{
    for (int k = 0; k < count; ++k)
        signs.append({QString(QChar(first + k * step + offset)), cross, k, dot});
}

QList<PigpenSign> sortedByLetter(QList<PigpenSign> signs)
{
    std::sort(signs.begin(), signs.end(),
              [](const PigpenSign &a, const PigpenSign &b) { return a.zeichen < b.zeichen; });
    return signs;
}

void drawSign(QPainter &painter, const QRectF &box, const PigpenSign &sign)
{
    const double s = std::min(box.width(), box.height()) * 0.8;
    const QRectF square(box.center().x() - s / 2, box.center().y() - s / 2, s, s);
    const QPointF tl = square.topLeft(), tr = square.topRight(), bl = square.bottomLeft(),
                  br = square.bottomRight(), mid = square.center();
    painter.setPen(QPen(QColor(20, 20, 30), s * 0.07, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPointF dotAt = mid;
    if (!sign.cross) {
        const int row = sign.place / 3, col = sign.place % 3;
        if (row > 0)
            painter.drawLine(tl, tr);
        if (row < 2)
            painter.drawLine(bl, br);
        if (col > 0)
            painter.drawLine(tl, bl);
        if (col < 2)
            painter.drawLine(tr, br);
    } else {
        switch (sign.place) {
        case 0: // the top quarter: a V under the letter
            painter.drawPolyline(QPolygonF({tl, QPointF(mid.x(), bl.y()), tr}));
            dotAt = QPointF(mid.x(), square.top() + s * 0.4);
            break;
        case 1: // the left quarter: >
            painter.drawPolyline(QPolygonF({tl, QPointF(tr.x(), mid.y()), bl}));
            dotAt = QPointF(square.left() + s * 0.4, mid.y());
            break;
        case 2: // the right quarter: <
            painter.drawPolyline(QPolygonF({tr, QPointF(tl.x(), mid.y()), br}));
            dotAt = QPointF(square.left() + s * 0.6, mid.y());
            break;
        default: // the bottom quarter: Λ
            painter.drawPolyline(QPolygonF({bl, QPointF(mid.x(), tl.y()), br}));
            dotAt = QPointF(mid.x(), square.top() + s * 0.6);
            break;
        }
    }
    if (sign.dot) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(20, 20, 30));
        painter.drawEllipse(dotAt, s * 0.08, s * 0.08);
    }
}

Table pigpenTable(const char *name, const QString &titel, const QString &rule, int variant)
{
    const QList<PigpenSign> signs = Rules::pigpen(variant);
    QStringList meanings;
    for (const PigpenSign &sign : signs)
        meanings.append(sign.zeichen);
    return Parts::drawnTable(name, titel, QStringLiteral("Geheimschriften"), rule, meanings,
                             [signs](QPainter &painter, const QRectF &box, int index) {
                                 drawSign(painter, box, signs.at(index));
                             });
}

} // namespace

namespace Rules {

const QList<PigpenSign> &pigpen(int variant)
{
    static const QList<PigpenSign> classic = [] {
        QList<PigpenSign> signs;
        place(signs, 'A', 9, false, false);
        place(signs, 'J', 9, false, true);
        place(signs, 'S', 4, true, false);
        place(signs, 'W', 4, true, true);
        return signs;
    }();
    static const QList<PigpenSign> crossSecond = [] {
        QList<PigpenSign> signs;
        place(signs, 'A', 9, false, false);
        place(signs, 'J', 4, true, false);
        place(signs, 'N', 9, false, true);
        place(signs, 'W', 4, true, true);
        return signs;
    }();
    static const QList<PigpenSign> pairs = [] {
        QList<PigpenSign> signs;
        place(signs, 'A', 9, false, false, 2);
        place(signs, 'A', 9, false, true, 2, 1);
        place(signs, 'S', 4, true, false, 2);
        place(signs, 'S', 4, true, true, 2, 1);
        return sortedByLetter(signs);
    }();
    return variant == 2 ? pairs : variant == 1 ? crossSecond : classic;
}

} // namespace Rules

namespace Parts {

QList<Table> pigpenTables()
{
    return {
        pigpenTable("freimaurer", QStringLiteral("Freimaurer-Alphabet (Pigpen)"),
                    QStringLiteral("gezeichnet nach der Regel: A–I im Gitter, J–R im Gitter mit "
                                   "Punkt, S–V im Kreuz, W–Z im Kreuz mit Punkt"),
                    0),
        pigpenTable("freimaurer-kreuz", QStringLiteral("Freimaurer-Alphabet (Kreuz nach I)"),
                    QStringLiteral("gezeichnet nach der Regel: A–I im Gitter, J–M im Kreuz, N–V "
                                   "im Gitter mit Punkt, W–Z im Kreuz mit Punkt"),
                    1),
        pigpenTable("freimaurer-paare",
                    QStringLiteral("Freimaurer-Alphabet (zwei Buchstaben je Feld)"),
                    QStringLiteral("gezeichnet nach der Regel: je zwei Buchstaben in einem Feld, "
                                   "der zweite mit Punkt; A–R im Gitter, S–Z im Kreuz"),
                    2),
    };
}

} // namespace Parts

} // namespace SymbolTables
