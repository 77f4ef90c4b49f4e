// Pictures of glyphs: one glyph, a strip spelling a text, and the chart of a whole table with
// each meaning under its glyph, the title above and the source and licence below.

#include "symbols/SymbolTable.h"

#include <QFontMetricsF>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <limits>

namespace SymbolTables {

namespace {

const QColor kInk(20, 20, 30);
const QColor kGrid(205, 205, 215);
const QColor kNote(150, 40, 40);

QFont labelFont(qreal pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    return font;
}

// How a table's glyphs fit cells `pixelHeight` high: the font size that makes the table's
// tallest glyph fill most of the height (one size for the whole table, so glyphs keep their
// sizes relative to each other), and the cell width for its widest glyph. Drawn glyphs keep
// their aspect.
struct Fit
{
    int fontSize = 0;
    qreal cell = 0;
};

Fit fitTable(const Table &table, int pixelHeight)
{
    if (table.zeichne)
        return {0, pixelHeight * table.seitenverhaeltnis};
    const int base = qMax(1, qRound(pixelHeight * 0.7));
    const QFontMetricsF metrics(glyphFont(table, base));
    qreal tallest = 1, widest = 1;
    for (const Glyph &glyph : table.glyphen) {
        const QRectF bounds = metrics.tightBoundingRect(glyph.schrift);
        tallest = std::max(tallest, bounds.height());
        widest = std::max({widest, bounds.width(), metrics.horizontalAdvance(glyph.schrift)});
    }
    const qreal scale = std::min(pixelHeight * 0.78 / tallest, 2.5);
    return {qMax(1, qRound(base * scale)),
            std::clamp(widest * scale * 1.2, pixelHeight * 0.8, pixelHeight * 2.5)};
}

void drawFontGlyph(QPainter &painter, const Table &table, const QString &text, const QRectF &box,
                   int fontSize)
{
    QFont font = glyphFont(table, fontSize);
    QRectF bounds = QFontMetricsF(font).tightBoundingRect(text);
    // A glyph that still does not fit its cell shrinks on its own.
    const qreal scale = std::min({1.0, box.width() * 0.9 / std::max(1.0, bounds.width()),
                                  box.height() * 0.9 / std::max(1.0, bounds.height())});
    if (scale < 1.0) {
        font.setPixelSize(qMax(1, int(font.pixelSize() * scale)));
        bounds = QFontMetricsF(font).tightBoundingRect(text);
    }
    painter.setFont(font);
    painter.setPen(kInk);
    const QPointF origin(box.center().x() - bounds.center().x(),
                         box.center().y() - bounds.center().y());
    painter.drawText(origin, text);
}

void drawGlyph(QPainter &painter, const Table &table, int index, const QRectF &cell, int fontSize)
{
    if (index < 0 || index >= table.glyphen.size())
        return;
    painter.save();
    if (table.zeichne) {
        const QRectF inner = cell.adjusted(cell.width() * 0.08, cell.height() * 0.08,
                                           -cell.width() * 0.08, -cell.height() * 0.08);
        table.zeichne(painter, inner, index);
    } else {
        drawFontGlyph(painter, table, table.glyphen[index].schrift, cell, fontSize);
    }
    painter.restore();
}

QImage whiteImage(int width, int height)
{
    QImage image(qMax(1, width), qMax(1, height), QImage::Format_ARGB32);
    image.fill(Qt::white);
    return image;
}

void beginPainting(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

// A label that fits `box`: the font shrinks down to 8 px, then the text is elided.
void drawLabel(QPainter &painter, const QRectF &box, const QString &text, const QColor &colour)
{
    qreal size = box.height() * 0.72;
    QFont font = labelFont(size);
    while (size > 8 && QFontMetricsF(font).horizontalAdvance(text) > box.width() - 2) {
        size -= 1;
        font = labelFont(size);
    }
    painter.setFont(font);
    painter.setPen(colour);
    const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, box.width() - 2);
    painter.drawText(box, Qt::AlignCenter, shown);
}

} // namespace

QImage renderGlyph(const Table &table, int index, int pixelHeight)
{
    return renderStrip(table, {index}, pixelHeight);
}

namespace {

qreal stripWidth(const QList<int> &glyphs, qreal cell)
{
    qreal width = 0;
    for (const int glyph : glyphs)
        width += glyph < 0 ? cell / 2 : cell;
    return std::ceil(std::max(width, cell));
}

} // namespace

QSize stripSize(const Table &table, const QList<int> &glyphs, int pixelHeight)
{
    pixelHeight = std::clamp(pixelHeight, 8, 1000);
    const qreal width = stripWidth(glyphs, fitTable(table, pixelHeight).cell);
    return {int(std::min<qreal>(width, std::numeric_limits<int>::max())), pixelHeight};
}

QImage renderStrip(const Table &table, const QList<int> &glyphs, int pixelHeight)
{
    pixelHeight = std::clamp(pixelHeight, 8, 1000);
    const Fit fit = fitTable(table, pixelHeight);
    const qreal cell = fit.cell;
    const qreal width = stripWidth(glyphs, cell);
    if (width > kMaxPictureWidth)
        return {};
    QImage image = whiteImage(int(width), pixelHeight);
    QPainter painter(&image);
    beginPainting(painter);
    qreal x = 0;
    for (const int glyph : glyphs) {
        if (glyph < 0) {
            x += cell / 2;
            continue;
        }
        drawGlyph(painter, table, glyph, QRectF(x, 0, cell, pixelHeight), fit.fontSize);
        x += cell;
    }
    return image;
}

namespace {

// Where everything of a chart goes: title, the grid of cells (glyph above, meaning below), the
// notes and the source line.
struct ChartLayout
{
    Fit fit;
    int glyphHeight = 0;
    qreal labelHeight = 0;
    qreal cell = 0;
    int columns = 1;
    qreal margin = 16;
    qreal width = 0; // of the content, without the margins
    qreal titleHeight = 0;
    qreal gridTop = 0;
    qreal gridHeight = 0;
    QStringList notes;
    QString footer;
    qreal footerHeight = 0;
};

ChartLayout layoutChart(const Table &table, int pixelHeight)
{
    ChartLayout layout;
    layout.glyphHeight = std::clamp(pixelHeight, 16, 400);
    layout.fit = fitTable(table, layout.glyphHeight);
    layout.labelHeight = std::max(18.0, layout.glyphHeight * 0.34);
    // The cells are wide enough for the longest meaning too, up to three glyph heights.
    const QFontMetricsF labelMetrics(labelFont(layout.labelHeight * 0.72));
    qreal longest = 0;
    for (const Glyph &glyph : table.glyphen) {
        longest = std::max(longest, labelMetrics.horizontalAdvance(glyph.zeichen + u'*'));
        if (!glyph.anmerkung.isEmpty() && !layout.notes.contains(glyph.anmerkung))
            layout.notes.append(glyph.anmerkung);
    }
    layout.cell = std::max(layout.fit.cell, std::min(longest + 8, layout.glyphHeight * 3.0));
    const int count = int(table.glyphen.size());
    layout.columns = std::clamp(int(1200 / layout.cell), 1, std::max(1, std::min(count, 13)));
    const int rows = (count + layout.columns - 1) / layout.columns;
    layout.width = std::max(layout.columns * layout.cell, 480.0);
    layout.titleHeight = std::max(24.0, layout.glyphHeight * 0.45);
    layout.gridTop = layout.margin + layout.titleHeight + 8;
    layout.gridHeight = rows * (layout.glyphHeight + layout.labelHeight);
    layout.footer = QStringLiteral("Quelle: %1 · Lizenz: %2").arg(table.quelle, table.lizenz);
    layout.footerHeight =
        QFontMetricsF(labelFont(13))
            .boundingRect(QRectF(0, 0, layout.width, 1000), Qt::TextWordWrap, layout.footer)
            .height();
    return layout;
}

void drawCells(QPainter &painter, const Table &table, const ChartLayout &layout)
{
    for (int i = 0; i < table.glyphen.size(); ++i) {
        const QRectF glyphBox(layout.margin + (i % layout.columns) * layout.cell,
                              layout.gridTop +
                                  (i / layout.columns) * (layout.glyphHeight + layout.labelHeight),
                              layout.cell, layout.glyphHeight);
        painter.setPen(QPen(kGrid, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(glyphBox.adjusted(0, 0, 0, layout.labelHeight));
        drawGlyph(painter, table, i, glyphBox, layout.fit.fontSize);
        const Glyph &glyph = table.glyphen[i];
        const bool noted = !glyph.anmerkung.isEmpty();
        const QRectF labelBox(glyphBox.left(), glyphBox.bottom(), layout.cell, layout.labelHeight);
        drawLabel(painter, labelBox.adjusted(1, 0, -1, -2),
                  glyph.zeichen + (noted ? QStringLiteral("*") : QString()), noted ? kNote : kInk);
    }
}

} // namespace

QImage renderChart(const Table &table, int pixelHeight)
{
    const ChartLayout layout = layoutChart(table, pixelHeight);
    const qreal notesHeight = layout.notes.isEmpty() ? 0 : 20;
    QImage image = whiteImage(int(std::ceil(layout.width + 2 * layout.margin)),
                              int(std::ceil(layout.gridTop + layout.gridHeight + 10 + notesHeight +
                                            layout.footerHeight + layout.margin)));
    QPainter painter(&image);
    beginPainting(painter);
    painter.setFont(labelFont(layout.titleHeight * 0.8, true));
    painter.setPen(kInk);
    painter.drawText(QRectF(layout.margin, layout.margin, layout.width, layout.titleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, table.titel);
    drawCells(painter, table, layout);
    qreal y = layout.gridTop + layout.gridHeight + 10;
    if (!layout.notes.isEmpty()) {
        painter.setFont(labelFont(13));
        painter.setPen(kNote);
        painter.drawText(QRectF(layout.margin, y, layout.width, 18),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("* ") + layout.notes.join(QStringLiteral("; ")));
        y += notesHeight;
    }
    painter.setFont(labelFont(13));
    painter.setPen(kInk);
    painter.drawText(QRectF(layout.margin, y, layout.width, layout.footerHeight + 4),
                     Qt::TextWordWrap, layout.footer);
    return image;
}

} // namespace SymbolTables
