// "Hexenschrift", the Theban alphabet: one sign per Latin letter, with I standing for J and V
// for U; W is written as two V. The signs are drawn here as pen strokes on a 40 × 44 grid.

#include "ChartCanvas.h"
#include "GlyphPath.h"

namespace {

struct Sign
{
    const char16_t *label;
    const char *strokes;
};

constexpr Sign kSigns[] = {
    {u"A", "M8 12 C4 6 12 2 14 10 C16 18 18 26 20 36 M20 36 C22 22 28 12 34 8 C36 14 32 16 30 14"},
    {u"B", "M10 10 C20 2 32 8 26 18 C22 24 14 22 16 16 M26 18 L34 36 L8 36"},
    {u"C", "M8 36 L8 12 C8 6 18 6 18 12 L18 36 M18 12 C18 6 28 6 28 12 L28 28 C28 34 34 36 36 30"},
    {u"D", "M6 14 C10 6 30 6 30 16 C30 26 16 30 10 22 M30 16 L30 36 C30 40 22 40 22 34"},
    {u"E", "M8 10 L30 10 C38 10 36 22 26 22 C36 22 38 36 26 36 C18 36 14 30 18 26"},
    {u"F", "M6 36 L20 8 L34 36 M12 24 L28 24 M20 8 C24 2 32 4 32 10"},
    {u"G", "M10 10 C10 24 30 24 30 10 M30 10 L30 36 C30 44 14 44 12 36 M10 10 C8 6 4 8 6 12"},
    {u"H", "M8 8 L8 36 M8 22 C14 12 30 12 30 22 L30 36 M30 36 C34 40 38 36 36 32"},
    {u"I", "M6 10 C10 20 16 30 20 36 C24 28 28 18 34 10 M6 10 C4 6 10 4 10 8"},
    {u"K", "M8 10 L8 36 M30 8 L8 24 L32 36 M30 8 C34 4 38 8 34 12"},
    {u"L", "M26 8 C12 8 10 22 20 24 C30 26 30 36 18 36 L6 36 M26 8 C30 8 32 12 28 14"},
    {u"M",
     "M6 36 L6 12 C6 8 14 8 14 14 L14 30 M14 14 C14 8 22 8 22 14 L22 30 M22 14 C22 8 32 8 32 16 "
     "L32 36 C32 44 24 44 22 38"},
    {u"N", "M6 36 L6 14 C6 8 16 6 18 14 L24 34 C26 40 34 38 34 30 L34 8"},
    {u"O", "O20 22 12 M20 10 C24 2 32 2 32 8"},
    {u"P", "M10 8 L10 44 M10 8 C30 4 34 22 10 24 M4 44 L16 44"},
    {u"Q", "O18 20 11 M26 28 L36 40 M36 40 C38 42 40 38 38 36"},
    {u"R", "M8 36 L8 10 C20 4 32 10 24 20 L14 22 L34 36"},
    {u"S", "M30 10 C24 4 8 8 14 18 C20 24 32 24 28 32 C24 40 8 38 8 30"},
    {u"T", "M4 12 C10 6 16 14 20 10 C24 6 30 14 36 8 M20 10 L20 36 C20 42 12 42 12 36"},
    {u"U/V", "M6 10 L18 36 L30 10 C32 4 38 6 36 12"},
    {u"W", "M2 10 L10 36 L18 10 M18 10 L26 36 L34 10 C36 4 40 6 38 12"},
    {u"X", "M6 8 L34 36 M34 8 L6 36 M6 8 C2 4 8 2 10 6"},
    {u"Y", "M6 8 L20 22 L34 8 M20 22 L20 36 C20 42 28 44 32 38"},
    {u"Z", "M6 10 L34 10 L6 36 L34 36 M12 23 L28 23"},
    {u"Ende", "M6 30 C6 40 18 40 20 30 C22 40 34 40 34 30 M8 22 L32 22 M20 22 L20 8"},
};

} // namespace

QImage drawTheban()
{
    QImage image = Chart::blank(Chart::kMaxHeight);
    QPainter p(&image);
    Chart::begin(p);
    const int top = Chart::drawTitle(
        p, QStringLiteral("Hexenschrift"),
        QStringLiteral("Das thebanische Alphabet: I steht auch für J, V auch für U, "
                       "W wird als doppeltes V geschrieben."));
    constexpr int kColumns = 7;
    const qreal slot = (Chart::kWidth - 2 * Chart::kMargin) / qreal(kColumns);
    constexpr int kRowHeight = 84;
    int index = 0;
    for (const Sign &sign : kSigns) {
        const qreal x = Chart::kMargin + (index % kColumns) * slot;
        const qreal y = top + (index / kColumns) * kRowHeight;
        p.fillRect(QRectF(x + 3, y, slot - 6, kRowHeight - 6), Chart::kShade);
        p.save();
        p.setPen(QPen(Chart::kInk, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(glyphPath(sign.strokes, 1.15, QPointF(x + (slot - 46) / 2, y + 2)));
        p.restore();
        Chart::drawCentred(p, QRectF(x, y + kRowHeight - 26, slot, 18),
                           QString::fromUtf16(sign.label), Chart::font(13, true), Chart::kTitle);
        ++index;
    }
    return image;
}
