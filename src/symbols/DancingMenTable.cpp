// The dancing men of Arthur Conan Doyle's story "The Adventure of the Dancing Men" (1903). The
// story shows eighteen letters; a published description names every figure as one of seven arm
// positions and one of eight leg positions (the second of them the figure upside down), and a
// figure holding a flag ends a word. We draw each figure from those two numbers. The eight
// letters the story never shows get arm and leg pairs no shown letter uses, marked as not from
// the original.

#include "symbols/SymbolRules.h"
#include "symbols/TableParts.h"

namespace SymbolTables {

namespace {

using Rules::DancingFigure;

const QString kNotOriginal = QStringLiteral("nicht im Original");

// Points of the figure in a box 1 wide and 1 high, y downwards.
void drawArms(QPainter &p, int arms)
{
    const QPointF shoulder(0.5, 0.3);
    const auto line = [&](QPointF a, QPointF b) { p.drawLine(a, b); };
    const QPointF upLeft(0.24, 0.1), upRight(0.76, 0.1);
    switch (arms) {
    case 1:
        line(shoulder, upLeft);
        line(shoulder, upRight);
        break;
    case 2:
        line(shoulder, upLeft);
        break;
    case 3:
        line(shoulder, upRight);
        break;
    case 4: // right arm up, left arm bent to the hip
        line(shoulder, upRight);
        p.drawPolyline(QPolygonF({shoulder, QPointF(0.3, 0.42), QPointF(0.46, 0.54)}));
        break;
    case 5: // left arm up, right arm bent to the hip
        line(shoulder, upLeft);
        p.drawPolyline(QPolygonF({shoulder, QPointF(0.7, 0.42), QPointF(0.54, 0.54)}));
        break;
    case 6: // shrugging: elbows out and down, forearms raised
        p.drawPolyline(QPolygonF({QPointF(0.3, 0.18), QPointF(0.3, 0.38), shoulder}));
        p.drawPolyline(QPolygonF({QPointF(0.7, 0.18), QPointF(0.7, 0.38), shoulder}));
        break;
    default:
        break; // 0: no arms
    }
}

void drawLegs(QPainter &p, int legs)
{
    const QPointF hip(0.5, 0.6);
    const auto leg = [&](std::initializer_list<QPointF> points) {
        QList<QPointF> all {hip};
        all.append(QList<QPointF>(points));
        p.drawPolyline(QPolygonF(all));
    };
    switch (legs) {
    case 3: // knees bent outwards
        leg({{0.33, 0.77}, {0.45, 0.94}, {0.36, 0.94}});
        leg({{0.67, 0.77}, {0.55, 0.94}, {0.64, 0.94}});
        break;
    case 4: // the left leg raised, standing on the right
        leg({{0.3, 0.62}, {0.3, 0.8}});
        leg({{0.56, 0.94}, {0.66, 0.94}});
        break;
    case 5: // the right leg raised, standing on the left
        leg({{0.7, 0.62}, {0.7, 0.8}});
        leg({{0.44, 0.94}, {0.34, 0.94}});
        break;
    case 6: // standing straight
        leg({{0.46, 0.94}, {0.38, 0.94}});
        leg({{0.54, 0.94}, {0.62, 0.94}});
        break;
    case 7: // the left knee bent out, the right leg straight
        leg({{0.32, 0.77}, {0.46, 0.94}});
        leg({{0.56, 0.94}, {0.66, 0.94}});
        break;
    case 8: // the right knee bent out, the left leg straight
        leg({{0.68, 0.77}, {0.54, 0.94}});
        leg({{0.44, 0.94}, {0.34, 0.94}});
        break;
    default: // 1 and 2 (upside down): legs apart, feet turned out
        leg({{0.35, 0.94}, {0.25, 0.94}});
        leg({{0.65, 0.94}, {0.75, 0.94}});
        break;
    }
}

// The flag at a word's end, held in the raised right hand (or the left, or on a short pole).
void drawFlag(QPainter &p, int arms)
{
    QPointF hand(0.76, 0.1);
    if (arms == 2 || arms == 5)
        hand = QPointF(0.24, 0.1);
    else if (arms == 0 || arms == 6) {
        hand = QPointF(0.7, 0.18);
        if (arms == 0)
            p.drawLine(QPointF(0.5, 0.3), hand);
    }
    const QPointF top = hand - QPointF(0, 0.1);
    p.drawLine(hand, top);
    const double side = hand.x() < 0.5 ? -1 : 1;
    p.save();
    p.setBrush(QColor(20, 20, 30));
    p.drawPolygon(QPolygonF({top, top + QPointF(side * 0.16, 0.035), top + QPointF(0, 0.07)}));
    p.restore();
}

void drawFigure(QPainter &p, const QRectF &box, const DancingFigure &figure, bool flag)
{
    const double s = std::min(box.width(), box.height());
    p.translate(box.center().x() - s / 2, box.center().y() - s / 2);
    p.scale(s, s);
    if (figure.legs == 2) { // upside down; left and right stay as drawn
        p.translate(0, 1);
        p.scale(1, -1);
    }
    p.setPen(QPen(QColor(20, 20, 30), 0.045, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0.5, 0.15), 0.065, 0.065);
    p.drawLine(QPointF(0.5, 0.215), QPointF(0.5, 0.6));
    drawArms(p, figure.arms);
    drawLegs(p, figure.legs);
    if (flag)
        drawFlag(p, figure.arms);
}

} // namespace

namespace Rules {

const QList<DancingFigure> &dancingMen()
{
    static const QList<DancingFigure> figures = [] {
        const struct
        {
            char letter;
            int arms;
            int legs;
        } original[] = {{'A', 1, 8}, {'B', 0, 3}, {'C', 2, 3}, {'D', 3, 2}, {'E', 1, 1},
                        {'G', 2, 2}, {'H', 1, 6}, {'I', 1, 4}, {'L', 5, 3}, {'M', 1, 3},
                        {'N', 4, 3}, {'O', 1, 7}, {'P', 2, 4}, {'R', 1, 5}, {'S', 6, 3},
                        {'T', 1, 2}, {'V', 0, 4}, {'Y', 3, 3}},
          added[] = {{'F', 2, 1}, {'J', 3, 1}, {'K', 4, 1}, {'Q', 5, 1},
                     {'U', 6, 1}, {'W', 4, 2}, {'X', 5, 2}, {'Z', 6, 2}};
        QList<DancingFigure> list;
        for (const auto &f : original)
            list.append({QString(QLatin1Char(f.letter)), f.arms, f.legs, true});
        for (const auto &f : added)
            list.append({QString(QLatin1Char(f.letter)), f.arms, f.legs, false});
        std::sort(list.begin(), list.end(), [](const DancingFigure &a, const DancingFigure &b) {
            return a.zeichen < b.zeichen;
        });
        return list;
    }();
    return figures;
}

} // namespace Rules

namespace Parts {

// Each letter twice: standing alone, and with the flag that ends a word (its meaning is the
// letter and a blank, so "ELSIE PREPARE" is spelled with flags where the words end).
QList<Table> dancingMenTables()
{
    const QList<DancingFigure> figures = Rules::dancingMen();
    Table table = drawnTable(
        "tanzende-maenner", QStringLiteral("Die tanzenden Männchen"),
        QStringLiteral("Geheimschriften"),
        QStringLiteral("gezeichnet als Arme × Beine (× Fahne am Wortende) nach der Beschreibung "
                       "der 18 Buchstaben aus Arthur Conan Doyles „The Adventure of the Dancing "
                       "Men“ (1903, gemeinfrei) im Eintrag „dancing men“ von everything2.com "
                       "(everything2.com/title/dancing+men)"),
        {},
        [figures](QPainter &painter, const QRectF &box, int index) {
            const qsizetype count = figures.size();
            drawFigure(painter, box, figures.at(index % count), index >= count);
        },
        0.75);
    for (const bool flag : {false, true}) {
        for (const DancingFigure &figure : figures) {
            const QString meaning = flag ? figure.zeichen + u' ' : figure.zeichen;
            table.glyphen.append({meaning, {}, figure.original ? QString() : kNotOriginal});
        }
    }
    return {table};
}

} // namespace Parts

} // namespace SymbolTables
