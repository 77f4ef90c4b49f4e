#pragma once

#include <QListWidget>

#include <functional>

class GlyphPixmaps;
namespace SymbolTables {
struct Table;
}

// The glyphs of one table as buttons with their meaning below, to be clicked one after the
// other. The keyboard reaches every glyph too: the arrow keys move, Return or Enter choose, the
// space bar asks for a gap between words, Backspace takes the last choice back.
class GlyphPalette : public QListWidget
{
public:
    // Height of a glyph button's picture.
    static constexpr int kGlyphPixels = 44;

    explicit GlyphPalette(GlyphPixmaps &pixmaps, QWidget *parent = nullptr);

    void setTable(const SymbolTables::Table *table);
    const SymbolTables::Table *table() const { return m_table; }

    void setOnChosen(std::function<void(int glyph)> chosen) { m_chosen = std::move(chosen); }
    void setOnBackspace(std::function<void()> backspace) { m_backspace = std::move(backspace); }
    void setOnBlank(std::function<void()> blank) { m_blank = std::move(blank); }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void choose(QListWidgetItem *item);

    GlyphPixmaps &m_pixmaps;
    const SymbolTables::Table *m_table = nullptr;
    std::function<void(int)> m_chosen;
    std::function<void()> m_backspace;
    std::function<void()> m_blank;
};
