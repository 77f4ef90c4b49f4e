// Spelling a text with a symbol table: the first byte picks the table, the rest is the text
// (UTF-8). Any text is either spelled or refused with the one error type; what is spelled holds
// only valid glyph indexes and gives the text back, letter case aside.
#include "logic/common/QuarvelError.h"
#include "symbols/SymbolTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QList<SymbolTables::Table> &tables = SymbolTables::all();
    const SymbolTables::Table &table = tables.at(data[0] % tables.size());
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        QString back;
        for (const int glyph : SymbolTables::glyphsFor(table, text)) {
            if (glyph >= table.glyphen.size())
                std::abort();
            back += glyph < 0 ? text.mid(back.size(), 1) : table.glyphen.at(glyph).zeichen;
        }
        if (back.compare(text, Qt::CaseInsensitive) != 0)
            std::abort();
    } catch (const QuarvelError &error) {
        if (error.message().isEmpty())
            std::abort();
    }
    return 0;
}
