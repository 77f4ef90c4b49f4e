// Signals given with arms: flag semaphore as a signaller holds the flags, the same positions as
// the hands of a clock (a common puzzle form), and the wings of the Chappe telegraph.

#include "symbols/SymbolRules.h"
#include "symbols/TableParts.h"

#include <QtMath>

namespace SymbolTables {

namespace {

using Rules::ArmPose;

const QColor kInk(20, 20, 30);

// The direction of arm position `eighth` (0 down, going round through the reader's left).
QPointF direction(int eighth)
{
    const double angle = qDegreesToRadians(eighth * 45.0);
    return {-std::sin(angle), std::cos(angle)};
}

// The semaphore flag at the end of an arm: square, divided diagonally, red at the arm's side.
void drawFlag(QPainter &painter, QPointF hand, QPointF along, double size)
{
    const QPointF across(-along.y(), along.x());
    const QPointF a = hand, b = hand + along * size, c = b + across * size, d = a + across * size;
    painter.setPen(QPen(kInk, size * 0.06));
    painter.setBrush(QColor(204, 20, 30));
    painter.drawPolygon(QPolygonF({a, b, d}));
    painter.setBrush(QColor(255, 204, 0));
    painter.drawPolygon(QPolygonF({b, c, d}));
}

void drawSignaller(QPainter &painter, const QRectF &box, const ArmPose &pose)
{
    const double s = std::min(box.width(), box.height());
    const QPointF shoulder(box.center().x(), box.top() + s * 0.42);
    const double arm = s * 0.3;
    painter.setPen(QPen(kInk, s * 0.035, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(shoulder.x(), shoulder.y() - s * 0.1), s * 0.055, s * 0.055);
    const QPointF hip(shoulder.x(), shoulder.y() + s * 0.26);
    painter.drawLine(QPointF(shoulder.x(), shoulder.y() - s * 0.045), hip);
    painter.drawLine(hip, hip + QPointF(-s * 0.08, s * 0.22));
    painter.drawLine(hip, hip + QPointF(s * 0.08, s * 0.22));
    for (const int eighth : {pose.first, pose.second}) {
        const QPointF hand = shoulder + direction(eighth) * arm;
        painter.setPen(QPen(kInk, s * 0.035, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(shoulder, hand);
        drawFlag(painter, hand, direction(eighth), s * 0.14);
    }
}

void drawClock(QPainter &painter, const QRectF &box, const ArmPose &pose)
{
    const double r = std::min(box.width(), box.height()) * 0.46;
    const QPointF centre = box.center();
    painter.setPen(QPen(kInk, r * 0.05));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, r, r);
    for (int hour = 0; hour < 12; ++hour) {
        const double angle = qDegreesToRadians(hour * 30.0);
        const QPointF unit(std::sin(angle), -std::cos(angle));
        painter.drawLine(centre + unit * r * 0.86, centre + unit * r * 0.97);
    }
    painter.setPen(QPen(kInk, r * 0.09, Qt::SolidLine, Qt::RoundCap));
    for (const int eighth : {pose.first, pose.second})
        painter.drawLine(centre, centre + direction(eighth) * r * 0.78);
    painter.setBrush(kInk);
    painter.drawEllipse(centre, r * 0.07, r * 0.07);
}

// Chappe's telegraph: the regulator lies level; each wing (indicator) at its end stands in one
// of seven positions, in eighths of a turn from pointing along the regulator outwards, turning
// upwards (position 4 points back along the regulator and is not used, 0 is the wing folded).
struct WingPose
{
    int left;
    int right;
};

QList<WingPose> chappePoses()
{
    QList<WingPose> poses;
    for (int left = 1; left <= 7; ++left)
        for (int right = 1; right <= 7; ++right)
            if (left != 4 && right != 4)
                poses.append({left, right});
    return poses;
}

void drawChappe(QPainter &painter, const QRectF &box, const WingPose &pose)
{
    const double s = std::min(box.width(), box.height());
    const QPointF centre = box.center();
    const double half = s * 0.24, wing = s * 0.2;
    const QPointF leftEnd = centre - QPointF(half, 0), rightEnd = centre + QPointF(half, 0);
    painter.setPen(QPen(QColor(120, 120, 130), s * 0.03));
    painter.drawLine(centre, centre + QPointF(0, s * 0.45)); // the mast
    painter.setPen(QPen(kInk, s * 0.06, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(leftEnd, rightEnd);
    painter.setPen(QPen(kInk, s * 0.04, Qt::SolidLine, Qt::RoundCap));
    const auto wingAt = [&](QPointF end, int position, double outward) {
        const double angle = qDegreesToRadians(position * 45.0);
        painter.drawLine(end, end + QPointF(outward * std::cos(angle), -std::sin(angle)) * wing);
    };
    wingAt(leftEnd, pose.left, -1.0);
    wingAt(rightEnd, pose.right, 1.0);
}

QStringList meaningsOf(const QList<ArmPose> &poses)
{
    QStringList meanings;
    for (const ArmPose &pose : poses)
        meanings.append(pose.zeichen);
    return meanings;
}

} // namespace

namespace Rules {

// The circles of the semaphore alphabet: A–G one arm down, H–N (without J) one arm low left,
// O–S one arm left, T, U, Y and the annul sign one arm high left, the numeral sign, J and V one
// arm up, W and X one arm high right, Z one arm right.
const QList<ArmPose> &semaphore()
{
    static const QList<ArmPose> poses = {
        {QStringLiteral("A"), 0, 1}, {QStringLiteral("B"), 0, 2},
        {QStringLiteral("C"), 0, 3}, {QStringLiteral("D"), 0, 4},
        {QStringLiteral("E"), 0, 5}, {QStringLiteral("F"), 0, 6},
        {QStringLiteral("G"), 0, 7}, {QStringLiteral("H"), 1, 2},
        {QStringLiteral("I"), 1, 3}, {QStringLiteral("J"), 4, 6},
        {QStringLiteral("K"), 1, 4}, {QStringLiteral("L"), 1, 5},
        {QStringLiteral("M"), 1, 6}, {QStringLiteral("N"), 1, 7},
        {QStringLiteral("O"), 2, 3}, {QStringLiteral("P"), 2, 4},
        {QStringLiteral("Q"), 2, 5}, {QStringLiteral("R"), 2, 6},
        {QStringLiteral("S"), 2, 7}, {QStringLiteral("T"), 3, 4},
        {QStringLiteral("U"), 3, 5}, {QStringLiteral("V"), 4, 7},
        {QStringLiteral("W"), 5, 6}, {QStringLiteral("X"), 5, 7},
        {QStringLiteral("Y"), 3, 6}, {QStringLiteral("Z"), 6, 7},
        {QStringLiteral("#"), 4, 5}, {QStringLiteral("Annullieren"), 3, 7},
    };
    return poses;
}

} // namespace Rules

namespace Parts {

QList<Table> signalTables()
{
    const QList<ArmPose> poses = Rules::semaphore();
    const QList<WingPose> wings = chappePoses();
    QStringList wingMeanings;
    for (const WingPose &pose : wings)
        wingMeanings.append(QStringLiteral("%1/%2").arg(pose.left).arg(pose.right));
    const QString signale = QStringLiteral("Signale");
    return {
        drawnTable("winker", QStringLiteral("Winkeralphabet (Flaggen-Semaphor)"), signale,
                   QStringLiteral("gezeichnet aus den Armstellungen des Winkeralphabets (acht "
                                  "Stellungen im Abstand von 45°, aus Sicht des Lesers; # "
                                  "kündigt Ziffern an: A–J = 1–0)"),
                   meaningsOf(poses),
                   [poses](QPainter &painter, const QRectF &box, int index) {
                       drawSignaller(painter, box, poses.at(index));
                   }),
        drawnTable("uhr-winker", QStringLiteral("Uhrzeiger-Code (Winkerstellungen)"), signale,
                   QStringLiteral("gezeichnet als Uhr, deren Zeiger die Armstellungen des "
                                  "Winkeralphabets zeigen"),
                   meaningsOf(poses),
                   [poses](QPainter &painter, const QRectF &box, int index) {
                       drawClock(painter, box, poses.at(index));
                   }),
        drawnTable("chappe", QStringLiteral("Chappe-Telegraf (Flügelstellungen)"), signale,
                   QStringLiteral("gezeichnet aus den Stellungen der beiden Flügel am waagrechten "
                                  "Regulator, je 1–7 in Achteldrehungen von außen nach oben "
                                  "(4 unbenutzt); Bedeutung: links/rechts"),
                   wingMeanings,
                   [wings](QPainter &painter, const QRectF &box, int index) {
                       drawChappe(painter, box, wings.at(index));
                   }),
    };
}

} // namespace Parts

} // namespace SymbolTables
