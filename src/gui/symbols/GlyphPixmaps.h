#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

namespace SymbolTables {
struct Table;
}

// The glyphs as pixmaps, each drawn once: a font table of a hundred glyphs costs a visible
// moment to render, and the palette, the strips and the unknown symbols show the same glyphs
// again and again.
class GlyphPixmaps
{
public:
    QPixmap glyph(const SymbolTables::Table &table, int index, int pixelHeight);
    int size() const { return int(m_cache.size()); }

private:
    QHash<QString, QPixmap> m_cache; // "table/index/height"
};
