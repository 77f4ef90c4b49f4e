// German Braille (Basisschrift): letters, umlauts and ß, the digits after the number sign, the
// common letter groups. Raised dots are black, the unraised positions of the cell light grey,
// so every cell shows where its dots sit.

#include "ChartCanvas.h"

#include <cstring>

namespace {

struct Cell
{
    const char16_t *label;
    const char *dots; // dot numbers: 1-2-3 left column top to bottom, 4-5-6 right column
};

constexpr Cell kLetters[] = {
    {u"a", "1"},     {u"b", "12"},   {u"c", "14"},  {u"d", "145"},  {u"e", "15"},    {u"f", "124"},
    {u"g", "1245"},  {u"h", "125"},  {u"i", "24"},  {u"j", "245"},  {u"k", "13"},    {u"l", "123"},
    {u"m", "134"},   {u"n", "1345"}, {u"o", "135"}, {u"p", "1234"}, {u"q", "12345"}, {u"r", "1235"},
    {u"s", "234"},   {u"t", "2345"}, {u"u", "136"}, {u"v", "1236"}, {u"w", "2456"},  {u"x", "1346"},
    {u"y", "13456"}, {u"z", "1356"}, {u"ä", "345"}, {u"ö", "246"},  {u"ü", "1256"},  {u"ß", "2346"},
};
constexpr const char *kNumberSign = "3456";
constexpr Cell kGroups[] = {
    {u"au", "16"},  {u"eu", "126"},  {u"ei", "146"},  {u"äu", "34"},
    {u"ie", "346"}, {u"ch", "1456"}, {u"sch", "156"}, {u"st", "23456"},
};

constexpr qreal kPitch = 11; // distance between dot centres
constexpr qreal kDot = 3.6; // radius of a raised dot

void drawCell(QPainter &p, QPointF topLeft, const char *dots)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int n = 1; n <= 6; ++n) {
        const bool raised = std::strchr(dots, '0' + n) != nullptr;
        const QPointF centre(topLeft.x() + (n > 3 ? kPitch : 0),
                             topLeft.y() + ((n - 1) % 3) * kPitch);
        p.setBrush(raised ? Chart::kInk : QColor(214, 214, 222));
        p.drawEllipse(centre, raised ? kDot : 1.8, raised ? kDot : 1.8);
    }
    p.restore();
}

// One labelled cell in a slot of `width` pixels; the cell sits centred above its label.
void drawEntry(QPainter &p, int x, int y, int width, const QString &label, const char *dots)
{
    drawCell(p, QPointF(x + width / 2.0 - kPitch / 2, y + 6), dots);
    Chart::drawCentred(p, QRectF(x, y + 34, width, 18), label, Chart::font(14, true),
                       Chart::kTitle);
}

int heading(QPainter &p, int y, const QString &text)
{
    p.setFont(Chart::font(12, true));
    p.setPen(Chart::kMuted);
    p.drawText(QRect(Chart::kMargin, y, Chart::kWidth - 2 * Chart::kMargin, 16),
               Qt::AlignLeft | Qt::AlignVCenter, text);
    return y + 16;
}

} // namespace

QImage drawBraille()
{
    QImage image = Chart::blank(Chart::kMaxHeight);
    QPainter p(&image);
    Chart::begin(p);
    int y = Chart::drawTitle(p, QStringLiteral("Brailleschrift"),
                             QStringLiteral("Punkte 1-2-3 links, 4-5-6 rechts, jeweils von oben "
                                            "nach unten gezählt."));
    constexpr int kSlot = 47;
    const int left = Chart::kMargin + 6;
    y = heading(p, y, QStringLiteral("Buchstaben"));
    for (int i = 0; i < 30; ++i) {
        drawEntry(p, left + (i % 10) * kSlot, y + (i / 10) * 56, kSlot,
                  QString::fromUtf16(kLetters[i].label), kLetters[i].dots);
    }
    y += 3 * 56 + 4;

    y = heading(p, y, QStringLiteral("Ziffern: Zahlzeichen, dann a … j für 1 … 0"));
    drawEntry(p, left, y, kSlot, QStringLiteral("#"), kNumberSign);
    for (int d = 0; d < 10; ++d)
        drawEntry(p, left + (d + 1) * 40 + 8, y, 40, QString::number((d + 1) % 10),
                  kLetters[d].dots);
    y += 60;

    y = heading(p, y, QStringLiteral("Lautgruppen"));
    for (int i = 0; i < 8; ++i)
        drawEntry(p, left + i * kSlot, y, kSlot, QString::fromUtf16(kGroups[i].label),
                  kGroups[i].dots);
    y += 60;

    // A worked example: the number sign stands once before a run of digits.
    p.setFont(Chart::font(12, true));
    p.setPen(Chart::kMuted);
    p.drawText(QRect(Chart::kMargin, y, 120, 34), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Beispiel 2025:"));
    // Between two cells twice the dot spacing is left free, as in embossed Braille, where cells
    // stand about 6 mm apart and the dots of a cell 2.5 mm.
    constexpr qreal kCellAdvance = 3 * kPitch;
    const char *example[] = {kNumberSign, "12", "245", "12", "15"};
    for (int i = 0; i < 5; ++i)
        drawCell(p, QPointF(Chart::kMargin + 128 + i * kCellAdvance, y + 6), example[i]);
    return image;
}
