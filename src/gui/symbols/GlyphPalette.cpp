#include "gui/symbols/GlyphPalette.h"

#include "gui/symbols/GlyphPixmaps.h"
#include "symbols/SymbolTable.h"

#include <QKeyEvent>

GlyphPalette::GlyphPalette(GlyphPixmaps &pixmaps, QWidget *parent)
    : QListWidget(parent)
    , m_pixmaps(pixmaps)
{
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(kGlyphPixels * 2 / 3, kGlyphPixels));
    // Room for the picture and a short meaning below it; longer meanings are elided.
    setGridSize(QSize(kGlyphPixels + 16, kGlyphPixels + fontMetrics().height() + 10));
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { choose(item); });
}

void GlyphPalette::setTable(const SymbolTables::Table *table)
{
    m_table = table;
    clear();
    if (!table)
        return;
    for (int i = 0; i < table->glyphen.size(); ++i) {
        const QString &meaning = table->glyphen[i].zeichen;
        auto *item = new QListWidgetItem(QIcon(m_pixmaps.glyph(*table, i, kGlyphPixels)), meaning);
        item->setToolTip(meaning);
        item->setData(Qt::UserRole, i);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        addItem(item);
    }
    setCurrentRow(0);
}

void GlyphPalette::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose(currentItem());
        return;
    case Qt::Key_Space:
        if (m_blank)
            m_blank();
        return;
    case Qt::Key_Backspace:
        if (m_backspace)
            m_backspace();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void GlyphPalette::choose(QListWidgetItem *item)
{
    if (item && m_chosen)
        m_chosen(item->data(Qt::UserRole).toInt());
}
