// Rod numerals ("Stabzahlen"): the digits 1-9 in their upright form (units, hundreds, ...)
// and their lying form (tens, thousands, ...), and how the two alternate in a longer number.

#include "ChartCanvas.h"

namespace {

const QColor kRod(150, 30, 20);

// One digit in a box of w × h. Upright: 1-5 are that many upright rods, 6-9 a lying rod on top
// (worth five) over 1-4 upright rods. Lying: the same turned, 6-9 an upright rod on top of 1-4
// lying rods. Zero is an empty place, later written as a circle.
void drawDigit(QPainter &p, QRectF box, int digit, bool upright, bool zeroCircle = false)
{
    p.save();
    p.setPen(QPen(kRod, 3.2, Qt::SolidLine, Qt::RoundCap));
    const qreal cx = box.center().x();
    if (digit == 0) {
        if (zeroCircle) {
            p.setBrush(Qt::NoBrush);
            const qreal r = std::min(box.width(), box.height()) * 0.28;
            p.drawEllipse(box.center(), r, r);
        }
        p.restore();
        return;
    }
    const int ones = digit > 5 ? digit - 5 : digit;
    const bool five = digit > 5;
    const qreal gap = 7;
    if (upright) {
        const qreal top = box.top() + (five ? 12 : 2);
        const qreal bottom = box.bottom() - 2;
        const qreal span = (ones - 1) * gap;
        for (int i = 0; i < ones; ++i) {
            const qreal x = cx - span / 2 + i * gap;
            p.drawLine(QPointF(x, top), QPointF(x, bottom));
        }
        if (five)
            p.drawLine(QPointF(cx - std::max(span / 2 + 5, 10.0), box.top() + 4),
                       QPointF(cx + std::max(span / 2 + 5, 10.0), box.top() + 4));
    } else {
        const qreal half = box.width() * 0.36;
        const qreal bottom = box.bottom() - 3;
        for (int i = 0; i < ones; ++i) {
            const qreal y = bottom - i * gap;
            p.drawLine(QPointF(cx - half, y), QPointF(cx + half, y));
        }
        if (five) {
            const qreal topOfLying = bottom - (ones - 1) * gap;
            p.drawLine(QPointF(cx, box.top() + 2), QPointF(cx, topOfLying));
        }
    }
    p.restore();
}

void drawRow(QPainter &p, int y, bool upright, const QString &caption)
{
    p.setFont(Chart::font(12, true));
    p.setPen(Chart::kMuted);
    p.drawText(QRect(Chart::kMargin, y, Chart::kWidth - 2 * Chart::kMargin, 16),
               Qt::AlignLeft | Qt::AlignVCenter, caption);
    const qreal slot = (Chart::kWidth - 2 * Chart::kMargin) / 9.0;
    for (int d = 1; d <= 9; ++d) {
        const qreal x = Chart::kMargin + (d - 1) * slot;
        p.fillRect(QRectF(x + 3, y + 20, slot - 6, 66), Chart::kShade);
        drawDigit(p, QRectF(x + 8, y + 26, slot - 16, 36), d, upright);
        Chart::drawCentred(p, QRectF(x, y + 64, slot, 20), QString::number(d),
                           Chart::font(14, true), Chart::kTitle);
    }
}

// A number written with alternating forms, the last digit upright.
void drawNumber(QPainter &p, QPointF at, const QString &digits, bool zeroCircle)
{
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        const bool upright = (n - 1 - i) % 2 == 0;
        drawDigit(p, QRectF(at.x() + i * 40, at.y(), 34, 36), digits.at(i).digitValue(), upright,
                  zeroCircle);
    }
}

} // namespace

QImage drawRodNumerals()
{
    QImage image = Chart::blank(Chart::kMaxHeight);
    QPainter p(&image);
    Chart::begin(p);
    int y = Chart::drawTitle(p, QStringLiteral("Stabzahlen"),
                             QStringLiteral("Chinesische Zählstäbe: ein Stab zählt 1, ein quer "
                                            "gelegter Stab über den anderen zählt 5."));
    drawRow(p, y, true, QStringLiteral("Senkrecht: Einer, Hunderter, Zehntausender …"));
    y += 94;
    drawRow(p, y, false, QStringLiteral("Waagerecht: Zehner, Tausender, Hunderttausender …"));
    y += 100;

    p.setFont(Chart::font(12));
    p.setPen(Chart::kInk);
    const QStringList rules {
        QStringLiteral("• Mehrstellige Zahlen: die Stellen wechseln die Lage ab, von rechts "
                       "mit den Einern senkrecht."),
        QStringLiteral("• Eine Null bleibt als Lücke frei, später schrieb man dafür einen Kreis."),
    };
    for (const QString &rule : rules) {
        const QRect box(Chart::kMargin, y, Chart::kWidth - 2 * Chart::kMargin, 34);
        const QRect used = p.boundingRect(box, Qt::TextWordWrap, rule);
        p.drawText(box, Qt::TextWordWrap, rule);
        y = used.bottom() + 4;
    }
    y += 6;

    struct Example
    {
        const char *digits;
        bool circle;
        const char16_t *text;
    };
    const Example examples[] = {
        {"1982", false, u"= 1982"},
        {"6708", true, u"= 6708 (Null als Kreis)"},
    };
    for (const Example &e : examples) {
        drawNumber(p, QPointF(Chart::kMargin + 10, y), QString::fromLatin1(e.digits), e.circle);
        p.setFont(Chart::font(15, true));
        p.setPen(Chart::kTitle);
        p.drawText(QRectF(Chart::kMargin + 190, y, 280, 36), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf16(e.text));
        y += 48;
    }
    return image;
}
