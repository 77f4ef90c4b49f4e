// Segment displays: seven segments for digits and the letters a seven-segment display can show,
// fourteen and sixteen segments for digits and all letters. A lit segment is drawn black, an
// unlit one faint, so the reader sees which segments a glyph leaves out.

#include "symbols/SymbolRules.h"
#include "symbols/TableParts.h"

#include <QLineF>

namespace SymbolTables {

namespace {

// Segment names as written in the rules ("a", "g1", "a2", …) to their bits.
quint32 segmentMask(const QString &names)
{
    static const QStringList kNames = {
        QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),  QStringLiteral("d"),
        QStringLiteral("e"), QStringLiteral("f"), QStringLiteral("g1"), QStringLiteral("g2"),
        QStringLiteral("h"), QStringLiteral("i"), QStringLiteral("j"),  QStringLiteral("k"),
        QStringLiteral("l"), QStringLiteral("m"), QStringLiteral("a2"), QStringLiteral("d2")};
    quint32 mask = 0;
    for (const QString &name : names.split(u' ', Qt::SkipEmptyParts))
        mask |= 1u << kNames.indexOf(name);
    return mask;
}

struct Spelled
{
    const char16_t *zeichen;
    const char *segments;
};

// Fourteen segments, digits then letters; a digit differs from the letter it resembles (0 has
// the slash, 5 the lower left corner, S the upper diagonal).
constexpr Spelled kFourteen[] = {
    {u"0", "a b c d e f j k"}, {u"1", "b c j"},           {u"2", "a b d e g1 g2"},
    {u"3", "a b c d g2"},      {u"4", "b c f g1 g2"},     {u"5", "a c d f g1 g2"},
    {u"6", "a c d e f g1 g2"}, {u"7", "a b c"},           {u"8", "a b c d e f g1 g2"},
    {u"9", "a b c d f g1 g2"}, {u"A", "a b c e f g1 g2"}, {u"B", "a b c d g2 i l"},
    {u"C", "a d e f"},         {u"D", "a b c d i l"},     {u"E", "a d e f g1"},
    {u"F", "a e f g1"},        {u"G", "a c d e f g2"},    {u"H", "b c e f g1 g2"},
    {u"I", "a d i l"},         {u"J", "b c d e"},         {u"K", "e f g1 j m"},
    {u"L", "d e f"},           {u"M", "b c e f h j"},     {u"N", "b c e f h m"},
    {u"O", "a b c d e f"},     {u"P", "a b e f g1 g2"},   {u"Q", "a b c d e f m"},
    {u"R", "a b e f g1 g2 m"}, {u"S", "a c d g2 h"},      {u"T", "a i l"},
    {u"U", "b c d e f"},       {u"V", "e f j k"},         {u"W", "b c e f k m"},
    {u"X", "h j k m"},         {u"Y", "h j l"},           {u"Z", "a d j k"},
};

// The letters a seven-segment display can show without mistaking them for a digit or another
// letter: small b, d, n, o, q, r, t, y as displays write them.
constexpr Spelled kSevenLetters[] = {
    {u"A", "a b c e f g1"}, {u"B", "c d e f g1"}, {u"C", "a d e f"},    {u"D", "b c d e g1"},
    {u"E", "a d e f g1"},   {u"F", "a e f g1"},   {u"G", "a c d e f"},  {u"H", "b c e f g1"},
    {u"I", "e f"},          {u"J", "b c d e"},    {u"L", "d e f"},      {u"N", "c e g1"},
    {u"O", "c d e g1"},     {u"P", "a b e f g1"}, {u"Q", "a b c f g1"}, {u"R", "e g1"},
    {u"S", "a c d f g1"},   {u"T", "d e f g1"},   {u"U", "b c d e f"},  {u"Y", "b c d f g1"},
};

constexpr quint32 kSevenDigits[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

// Seven-segment letters name the middle "g1": its bit is 6 on both displays.
QList<Rules::SegmentGlyph> spelledList(const Spelled *first, const Spelled *last)
{
    QList<Rules::SegmentGlyph> list;
    for (const Spelled *s = first; s != last; ++s)
        list.append(
            {QString::fromUtf16(s->zeichen), segmentMask(QString::fromLatin1(s->segments))});
    return list;
}

enum class Display { Seven, Fourteen, Sixteen };

// Paints the segments of `mask` into `box`: lit ones in ink, the others faint.
void drawSegments(QPainter &painter, const QRectF &box, quint32 mask, Display display)
{
    const double w = box.width(), h = box.height();
    const auto at = [&](double x, double y) { return box.topLeft() + QPointF(w * x, h * y); };
    const QPointF tl = at(0.15, 0.06), tm = at(0.5, 0.06), tr = at(0.85, 0.06);
    const QPointF ml = at(0.15, 0.5), mm = at(0.5, 0.5), mr = at(0.85, 0.5);
    const QPointF bl = at(0.15, 0.94), bm = at(0.5, 0.94), br = at(0.85, 0.94);
    QList<std::pair<QLineF, quint32>> segments;
    const bool split = display == Display::Sixteen;
    if (split) {
        segments = {
            {{tl, tm}, 1u << 0}, {{tm, tr}, 1u << 14}, {{bl, bm}, 1u << 3}, {{bm, br}, 1u << 15}};
    } else {
        segments = {{{tl, tr}, 1u << 0}, {{bl, br}, 1u << 3}};
    }
    segments +=
        {{{tr, mr}, 1u << 1}, {{mr, br}, 1u << 2}, {{ml, bl}, 1u << 4}, {{tl, ml}, 1u << 5}};
    if (display == Display::Seven) {
        segments.append({{ml, mr}, 1u << 6});
    } else {
        segments += {{{ml, mm}, 1u << 6},  {{mm, mr}, 1u << 7},  {{tl, mm}, 1u << 8},
                     {{tm, mm}, 1u << 9},  {{tr, mm}, 1u << 10}, {{bl, mm}, 1u << 11},
                     {{bm, mm}, 1u << 12}, {{br, mm}, 1u << 13}};
    }
    const double thickness = w * (display == Display::Seven ? 0.11 : 0.075);
    for (const auto &[line, bit] : segments) {
        // Each segment stops short of its neighbours, as on a display.
        const QPointF shorten = (line.p2() - line.p1()) * 0.09;
        const bool lit = mask & bit;
        painter.setPen(QPen(lit ? QColor(20, 20, 30) : QColor(228, 228, 234), thickness,
                            Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QLineF(line.p1() + shorten, line.p2() - shorten));
    }
}

Table segmentTable(const char *name, const QString &titel, const QString &rule,
                   const QList<Rules::SegmentGlyph> &glyphs, Display display)
{
    QStringList meanings;
    for (const Rules::SegmentGlyph &glyph : glyphs)
        meanings.append(glyph.zeichen);
    return Parts::drawnTable(
        name, titel, QStringLiteral("Zahlen"), rule, meanings,
        [glyphs, display](QPainter &painter, const QRectF &box, int index) {
            drawSegments(painter, box, glyphs.at(index).segments, display);
        },
        0.62);
}

} // namespace

namespace Rules {

const QList<SegmentGlyph> &sevenSegmentDigits()
{
    static const QList<SegmentGlyph> list = [] {
        QList<SegmentGlyph> digits;
        for (int d = 0; d < 10; ++d)
            digits.append({QString::number(d), kSevenDigits[d]});
        return digits;
    }();
    return list;
}

const QList<SegmentGlyph> &sevenSegmentLetters()
{
    static const QList<SegmentGlyph> list =
        spelledList(std::begin(kSevenLetters), std::end(kSevenLetters));
    return list;
}

const QList<SegmentGlyph> &fourteenSegments()
{
    static const QList<SegmentGlyph> list = spelledList(std::begin(kFourteen), std::end(kFourteen));
    return list;
}

// The sixteen-segment glyphs are the fourteen-segment ones with both halves of the top and of
// the bottom lit where the whole segment is.
const QList<SegmentGlyph> &sixteenSegments()
{
    static const QList<SegmentGlyph> list = [] {
        QList<SegmentGlyph> glyphs = fourteenSegments();
        for (SegmentGlyph &glyph : glyphs) {
            if (glyph.segments & 1u)
                glyph.segments |= 1u << 14;
            if (glyph.segments & (1u << 3))
                glyph.segments |= 1u << 15;
        }
        return glyphs;
    }();
    return list;
}

} // namespace Rules

namespace Parts {

QList<Table> segmentTables()
{
    const QString own = QStringLiteral("gezeichnet aus den Segmenten der Anzeige (a–g oben im "
                                       "Uhrzeigersinn, g in der Mitte)");
    return {
        segmentTable("segment7", QStringLiteral("7-Segment-Ziffern"), own,
                     Rules::sevenSegmentDigits(), Display::Seven),
        segmentTable("segment7-buchstaben", QStringLiteral("7-Segment-Buchstaben"), own,
                     Rules::sevenSegmentLetters(), Display::Seven),
        segmentTable("segment14", QStringLiteral("14-Segment-Ziffern und -Buchstaben"),
                     QStringLiteral("gezeichnet aus den 14 Segmenten der Anzeige (Rahmen, "
                                    "geteilte Mitte, Mittelstriche und Diagonalen)"),
                     Rules::fourteenSegments(), Display::Fourteen),
        segmentTable("segment16", QStringLiteral("16-Segment-Ziffern und -Buchstaben"),
                     QStringLiteral("gezeichnet aus den 16 Segmenten der Anzeige (wie 14 "
                                    "Segmente, oben und unten geteilt)"),
                     Rules::sixteenSegments(), Display::Sixteen),
    };
}

} // namespace Parts

} // namespace SymbolTables
