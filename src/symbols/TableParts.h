#pragma once

// The pieces the table list is put together from, one function per file of tables, and the
// helper that declares a table rendered from a font.

#include "symbols/SymbolTable.h"

#include <initializer_list>

namespace SymbolTables::Parts {

// A font of the Noto family in Debian's fonts-noto-core, found by its family name through
// fontconfig when the glyphs are drawn.
struct FontSource
{
    const char *family;
    const char *file; // the file the package installs, named in the table's source
};

struct FontGlyph
{
    char32_t code; // the code point rendered
    const char16_t *zeichen; // what it stands for
};

inline constexpr const char *kFontLicence = "SIL Open Font License 1.1";
inline constexpr const char *kFontPackage = "fonts-noto-core";
inline constexpr const char *kOwnDrawing = "eigene Zeichnung";

// A table rendered from `font`; `meaningFrom` says where the meanings come from ("den
// Unicode-Zeichennamen" unless a table says otherwise).
Table fontTable(const char *name, const QString &titel, const QString &gruppe,
                const FontSource &font, std::initializer_list<FontGlyph> glyphs,
                const QString &meaningFrom = QStringLiteral("den Unicode-Zeichennamen"));

// A table drawn by our own code: one glyph per meaning, `rule` says what it is drawn from.
Table drawnTable(const char *name, const QString &titel, const QString &gruppe, const QString &rule,
                 const QStringList &meanings,
                 std::function<void(QPainter &, const QRectF &, int)> draw, double aspect = 1.0);

QList<Table> runeTables();
QList<Table> scriptTables();
QList<Table> numeralTables();
QList<Table> signTables();
QList<Table> segmentTables();
QList<Table> pigpenTables();
QList<Table> signalTables();
QList<Table> flagTables();
QList<Table> codeTables();
QList<Table> cistercianTables();
QList<Table> dancingMenTables();

} // namespace SymbolTables::Parts
