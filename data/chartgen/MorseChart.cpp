// Morse code: letters, digits, the German umlauts and the common punctuation signs, each drawn
// as dots and dashes rather than typed, so short and long stay easy to tell apart.

#include "ChartCanvas.h"

namespace {

struct Sign
{
    const char16_t *label;
    const char *code; // '.' short, '-' long
};

// International Morse code (ITU-R M.1677) plus the German letters and the signs cachers meet.
constexpr Sign kSigns[] = {
    {u"A", ".-"},     {u"B", "-..."},   {u"C", "-.-."},   {u"D", "-.."},    {u"E", "."},
    {u"F", "..-."},   {u"G", "--."},    {u"H", "...."},   {u"I", ".."},     {u"J", ".---"},
    {u"K", "-.-"},    {u"L", ".-.."},   {u"M", "--"},     {u"N", "-."},     {u"O", "---"},
    {u"P", ".--."},   {u"Q", "--.-"},   {u"R", ".-."},    {u"S", "..."},    {u"T", "-"},
    {u"U", "..-"},    {u"V", "...-"},   {u"W", ".--"},    {u"X", "-..-"},   {u"Y", "-.--"},
    {u"Z", "--.."},   {u"1", ".----"},  {u"2", "..---"},  {u"3", "...--"},  {u"4", "....-"},
    {u"5", "....."},  {u"6", "-...."},  {u"7", "--..."},  {u"8", "---.."},  {u"9", "----."},
    {u"0", "-----"},  {u"Ä", ".-.-"},   {u"Ö", "---."},   {u"Ü", "..--"},   {u"ß", "...--.."},
    {u"CH", "----"},  {u".", ".-.-.-"}, {u",", "--..--"}, {u"?", "..--.."}, {u"!", "-.-.--"},
    {u":", "---..."}, {u";", "-.-.-."}, {u"-", "-....-"}, {u"/", "-..-."},  {u"=", "-...-"},
    {u"+", ".-.-."},  {u"(", "-.--."},  {u")", "-.--.-"}, {u"'", ".----."}, {u"\"", ".-..-."},
    {u"&", ".-..."},  {u"@", ".--.-."},
};

constexpr int kRows = 19;

void drawCode(QPainter &p, QPointF at, const char *code)
{
    constexpr qreal kDot = 6.5;
    constexpr qreal kDash = 17;
    constexpr qreal kGap = 4.5;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Chart::kInk);
    qreal x = at.x();
    for (const char *c = code; *c; ++c) {
        if (*c == '.') {
            p.drawEllipse(QRectF(x, at.y() - kDot / 2, kDot, kDot));
            x += kDot + kGap;
        } else {
            p.drawRoundedRect(QRectF(x, at.y() - 2.75, kDash, 5.5), 1.5, 1.5);
            x += kDash + kGap;
        }
    }
    p.restore();
}

} // namespace

QImage drawMorse()
{
    QImage image = Chart::blank(Chart::kMaxHeight);
    QPainter p(&image);
    Chart::begin(p);
    const int top = Chart::drawTitle(
        p, QStringLiteral("Morse-Code"),
        QStringLiteral("● kurz (dit)   ▬ lang (dah, 3 × kurz).  Pausen: im Zeichen 1, "
                       "zwischen Zeichen 3, zwischen Wörtern 7 Einheiten."));
    const int columnWidth = (Chart::kWidth - 2 * Chart::kMargin) / 3;
    constexpr int kRowHeight = 19;
    int index = 0;
    for (const Sign &sign : kSigns) {
        const int column = index / kRows;
        const int row = index % kRows;
        const int x = Chart::kMargin + column * columnWidth;
        const int y = top + row * kRowHeight;
        if (row % 2 == 0)
            p.fillRect(QRect(x, y, columnWidth - 6, kRowHeight), Chart::kShade);
        p.setFont(Chart::font(14, true));
        p.setPen(Chart::kTitle);
        p.drawText(QRect(x + 4, y, 34, kRowHeight), Qt::AlignCenter,
                   QString::fromUtf16(sign.label));
        drawCode(p, QPointF(x + 44, y + kRowHeight / 2.0), sign.code);
        ++index;
    }
    return image;
}
