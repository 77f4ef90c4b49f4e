#include "symbols/SymbolTable.h"

#include "logic/common/QuarvelError.h"

#include <QPainterPath>

namespace SymbolTables {

namespace {

// Segments a–g of a seven-segment digit, clockwise from the top, g in the middle.
constexpr unsigned char kSevenSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                              0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void drawSevenSegment(QPainter &painter, const QRectF &box, int index)
{
    const double w = box.width(), h = box.height();
    const QPointF tl = box.topLeft() + QPointF(w * 0.2, h * 0.1);
    const QPointF tr = box.topLeft() + QPointF(w * 0.8, h * 0.1);
    const QPointF ml = box.topLeft() + QPointF(w * 0.2, h * 0.5);
    const QPointF mr = box.topLeft() + QPointF(w * 0.8, h * 0.5);
    const QPointF bl = box.topLeft() + QPointF(w * 0.2, h * 0.9);
    const QPointF br = box.topLeft() + QPointF(w * 0.8, h * 0.9);
    const QLineF segments[7] = {{tl, tr}, {tr, mr}, {mr, br}, {bl, br},
                                {ml, bl}, {tl, ml}, {ml, mr}};
    QPen pen(Qt::black, w * 0.1, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    for (int s = 0; s < 7; ++s)
        if (kSevenSegments[index] & (1u << s))
            painter.drawLine(segments[s]);
}

QList<Table> buildTables()
{
    Table segment7;
    segment7.name = QStringLiteral("segment7");
    segment7.titel = QStringLiteral("7-Segment-Ziffern");
    segment7.gruppe = QStringLiteral("Zahlen");
    segment7.quelle = QStringLiteral("gezeichnet aus den Segmenten a–g");
    segment7.lizenz = QStringLiteral("eigene Zeichnung");
    for (int d = 0; d < 10; ++d)
        segment7.glyphen.append({QString::number(d), {}});
    segment7.zeichne = drawSevenSegment;
    return {segment7};
}

} // namespace

const QList<Table> &all()
{
    static const QList<Table> tables = buildTables();
    return tables;
}

const Table *find(const QString &name)
{
    for (const Table &table : all())
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

QList<int> glyphsFor(const Table &table, const QString &text)
{
    QList<int> result;
    int pos = 0;
    while (pos < text.size()) {
        if (text.at(pos).isSpace()) {
            result.append(-1);
            ++pos;
            continue;
        }
        int best = -1, bestLength = 0;
        for (int i = 0; i < table.glyphen.size(); ++i) {
            const QString &meaning = table.glyphen[i].zeichen;
            if (meaning.size() > bestLength &&
                text.mid(pos, meaning.size()).compare(meaning, Qt::CaseInsensitive) == 0) {
                best = i;
                bestLength = int(meaning.size());
            }
        }
        if (best < 0)
            throw QuarvelError(QStringLiteral("„%1“ gibt es in der Tafel „%2“ nicht.")
                                   .arg(text.at(pos), table.titel));
        result.append(best);
        pos += bestLength;
    }
    return result;
}

QImage renderGlyph(const Table &table, int index, int pixelHeight)
{
    return renderStrip(table, {index}, pixelHeight);
}

QImage renderStrip(const Table &table, const QList<int> &glyphs, int pixelHeight)
{
    const int cell = pixelHeight * 2 / 3;
    QImage image(qMax(1, int(glyphs.size())) * cell, pixelHeight, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i] < 0)
            continue;
        const QRectF box(i * cell, 0, cell, pixelHeight);
        if (table.zeichne) {
            table.zeichne(painter, box, glyphs[i]);
        } else {
            QFont font(table.schriftFamilie);
            font.setPixelSize(pixelHeight * 2 / 3);
            painter.setFont(font);
            painter.drawText(box, Qt::AlignCenter, table.glyphen[glyphs[i]].schrift);
        }
    }
    return image;
}

QImage renderChart(const Table &table, int pixelHeight)
{
    QList<int> every;
    for (int i = 0; i < table.glyphen.size(); ++i)
        every.append(i);
    return renderStrip(table, every, pixelHeight);
}

} // namespace SymbolTables
