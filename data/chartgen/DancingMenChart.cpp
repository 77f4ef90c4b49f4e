// The dancing men cipher: every letter is a little figure in its own pose; a figure holding a
// flag marks the last letter of a word. Each pose is given as four limb positions.

#include "ChartCanvas.h"

#include <QtMath>

namespace {

// Limb codes. Arms: 'u' raised, 'o' stretched out, 'd' hanging down, 'h' hand on the hip,
// 'k' bent up at the elbow. Legs: 's' standing, 'w' wide apart, 'k' knee lifted, 'x' crossed.
struct Pose
{
    char letter;
    const char *limbs; // left arm, right arm, left leg, right leg (as seen by the viewer)
};

constexpr Pose kPoses[] = {
    {'A', "uuss"}, {'B', "ooss"}, {'C', "ddws"}, {'D', "uoss"}, {'E', "uuww"}, {'F', "hhss"},
    {'G', "kkss"}, {'H', "duss"}, {'I', "udss"}, {'J', "hoss"}, {'K', "ohss"}, {'L', "kdss"},
    {'M', "dkss"}, {'N', "ouww"}, {'O', "ddss"}, {'P', "hhww"}, {'Q', "kkww"}, {'R', "uhss"},
    {'S', "huss"}, {'T', "oosk"}, {'U', "ookx"}, {'V', "ddxs"}, {'W', "uusk"}, {'X', "kosw"},
    {'Y', "okws"}, {'Z', "ddkk"},
};

QPointF polar(QPointF from, qreal length, qreal degrees)
{
    const qreal r = qDegreesToRadians(degrees);
    return from + QPointF(std::cos(r) * length, std::sin(r) * length);
}

// One arm from the shoulder; `side` is -1 for the figure's left (viewer's left), +1 right.
// Returns the hand's position.
QPointF drawArm(QPainter &p, QPointF shoulder, char code, int side)
{
    const qreal base = side < 0 ? 180 : 0; // pointing outwards
    switch (code) {
    case 'u': {
        const QPointF hand = polar(shoulder, 14, base - side * 50);
        p.drawLine(shoulder, hand);
        return hand;
    }
    case 'o': {
        const QPointF hand = polar(shoulder, 14, base);
        p.drawLine(shoulder, hand);
        return hand;
    }
    case 'd': {
        const QPointF hand = polar(shoulder, 14, base + side * 60);
        p.drawLine(shoulder, hand);
        return hand;
    }
    case 'h': {
        const QPointF elbow = polar(shoulder, 8, base + side * 40);
        const QPointF hand = shoulder + QPointF(side * 3, 10);
        p.drawPolyline(QPolygonF({shoulder, elbow, hand}));
        return hand;
    }
    default: { // 'k'
        const QPointF elbow = polar(shoulder, 8, base);
        const QPointF hand = elbow + QPointF(0, -8);
        p.drawPolyline(QPolygonF({shoulder, elbow, hand}));
        return hand;
    }
    }
}

void drawLeg(QPainter &p, QPointF hip, char code, int side)
{
    switch (code) {
    case 's':
        p.drawLine(hip, hip + QPointF(side * 5, 15));
        break;
    case 'w':
        p.drawLine(hip, hip + QPointF(side * 11, 13));
        break;
    case 'x':
        p.drawLine(hip, hip + QPointF(-side * 6, 15));
        break;
    default: { // 'k': knee lifted, foot drawn back
        const QPointF knee = hip + QPointF(side * 9, 6);
        p.drawPolyline(QPolygonF({hip, knee, knee + QPointF(0, 9)}));
        break;
    }
    }
}

// A figure with its head at the top of a 40 × 48 box at `o`.
void drawFigure(QPainter &p, QPointF o, const char *limbs, bool flag, qreal scale = 1.0)
{
    p.save();
    p.translate(o);
    p.scale(scale, scale);
    o = QPointF(0, 0);
    p.setPen(QPen(Chart::kInk, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF head = o + QPointF(20, 7);
    p.setBrush(Chart::kInk);
    p.drawEllipse(head, 4.5, 4.5);
    p.setBrush(Qt::NoBrush);
    const QPointF shoulder = o + QPointF(20, 18);
    const QPointF hip = o + QPointF(20, 32);
    p.drawLine(head + QPointF(0, 4), hip);
    drawArm(p, shoulder, limbs[0], -1);
    const QPointF rightHand = drawArm(p, shoulder, limbs[1], +1);
    drawLeg(p, hip, limbs[2], -1);
    drawLeg(p, hip, limbs[3], +1);
    if (flag) {
        const QPointF top = rightHand + QPointF(0, -12);
        p.drawLine(rightHand + QPointF(0, 3), top);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 30, 40));
        p.drawPolygon(QPolygonF({top, top + QPointF(9, 3), top + QPointF(0, 6)}));
    }
    p.restore();
}

const char *posePath(QChar letter)
{
    for (const Pose &pose : kPoses)
        if (QChar(QLatin1Char(pose.letter)) == letter)
            return pose.limbs;
    return "ddss";
}

} // namespace

QImage drawDancingMen()
{
    QImage image = Chart::blank(Chart::kMaxHeight);
    QPainter p(&image);
    Chart::begin(p);
    int y =
        Chart::drawTitle(p, QStringLiteral("Die tanzenden Männchen"),
                         QStringLiteral("Dancing Men: jedes Männchen steht für einen "
                                        "Buchstaben. Ein Männchen mit Fahne beendet ein Wort."));
    constexpr int kColumns = 9;
    const qreal slot = (Chart::kWidth - 2 * Chart::kMargin) / qreal(kColumns);
    constexpr int kRowHeight = 88;
    int index = 0;
    for (const Pose &pose : kPoses) {
        const qreal x = Chart::kMargin + (index % kColumns) * slot;
        const qreal top = y + (index / kColumns) * kRowHeight;
        p.fillRect(QRectF(x + 3, top, slot - 6, kRowHeight - 6), Chart::kShade);
        drawFigure(p, QPointF(x + (slot - 50) / 2, top + 2), pose.limbs, false, 1.25);
        Chart::drawCentred(p, QRectF(x, top + kRowHeight - 24, slot, 18),
                           QString(QLatin1Char(pose.letter)), Chart::font(14, true), Chart::kTitle);
        ++index;
    }
    y += 3 * kRowHeight + 4;

    // An example of two words: the last figure of each word carries the flag.
    p.setFont(Chart::font(12, true));
    p.setPen(Chart::kMuted);
    p.drawText(QRectF(Chart::kMargin, y, 300, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Beispiel: COME HERE"));
    const QString words[] = {QStringLiteral("COME"), QStringLiteral("HERE")};
    qreal x = Chart::kMargin;
    for (const QString &word : words) {
        for (qsizetype i = 0; i < word.size(); ++i) {
            drawFigure(p, QPointF(x, y + 22), posePath(word.at(i)), i == word.size() - 1);
            x += 40;
        }
        x += 36;
    }
    return image;
}
