#include "gui/symbols/GlyphPixmaps.h"

#include "symbols/SymbolTable.h"

QPixmap GlyphPixmaps::glyph(const SymbolTables::Table &table, int index, int pixelHeight)
{
    const QString key = QStringLiteral("%1/%2/%3").arg(table.name).arg(index).arg(pixelHeight);
    auto found = m_cache.constFind(key);
    if (found != m_cache.constEnd())
        return *found;
    const QPixmap pixmap = QPixmap::fromImage(SymbolTables::renderGlyph(table, index, pixelHeight));
    m_cache.insert(key, pixmap);
    return pixmap;
}
