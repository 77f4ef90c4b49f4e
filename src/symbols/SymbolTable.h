#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>

// A symbol alphabet, declared once: the decoder window, the command line and the help index
// take every table from here. A glyph is either rendered from a font whose licence allows
// shipping it, or drawn by our own code from a rule.
namespace SymbolTables {

struct Glyph
{
    QString zeichen; // the letter, digit, word or value the glyph stands for
    QString schrift; // font tables: the characters rendered; empty for drawn glyphs
    QString anmerkung = {}; // shown beside the meaning, e.g. "nicht im Original"
};

struct Table
{
    QString name; // command-line name, ASCII, e.g. "futhark"
    QString titel; // German title
    QString gruppe; // e.g. "Runen", "Schriften", "Zahlen", "Signale", "Spiele"
    QString quelle; // where the glyphs come from (font package or the rule and its source)
    QString lizenz; // e.g. "SIL Open Font License 1.1", "eigene Zeichnung"
    QString schriftFamilie; // font tables: the family rendered; empty for drawn tables
    QList<Glyph> glyphen;
    // Drawn tables: paints glyph `index` into `box`, which keeps the glyph's aspect.
    std::function<void(QPainter &, const QRectF &, int index)> zeichne;
    // Font tables: the Debian package that installs the font (named when it is missing).
    QString schriftPaket = {};
    // Width of a glyph's box over its height.
    double seitenverhaeltnis = 1.0;
};

// Every table, in the order the decoder lists them.
const QList<Table> &all();
// The table of that command-line name (case ignored), or nullptr.
const Table *find(const QString &name);

// The glyphs spelling `text`: the longest glyph meaning at each place, case ignored; a blank
// gives -1 (a gap). Refuses (QuarvelError, naming the character) what the table cannot write.
QList<int> glyphsFor(const Table &table, const QString &text);

// Pictures; rendering a font table needs a QGuiApplication.
QImage renderGlyph(const Table &table, int index, int pixelHeight);
QImage renderStrip(const Table &table, const QList<int> &glyphs, int pixelHeight);
QImage renderChart(const Table &table, int pixelHeight); // every glyph with its meaning below
// The size renderStrip gives, without drawing; a picture wider than kMaxPictureWidth is not
// made (renderStrip then returns a null image).
QSize stripSize(const Table &table, const QList<int> &glyphs, int pixelHeight);
inline constexpr int kMaxPictureWidth = 32000;

// Font tables: the font rendered (never merged with another, so a glyph the font lacks shows as
// the font's missing-glyph box), sized to `pixelSize`.
QFont glyphFont(const Table &table, int pixelSize);
// Font tables: the meanings of the glyphs the installed font cannot draw (all of them when the
// font is not installed); empty for drawn tables. Needs a QGuiApplication.
QStringList missingGlyphs(const Table &table);
// Refuses (QuarvelError naming the font and its package) a font table whose font lacks a glyph.
void requireFont(const Table &table);

} // namespace SymbolTables
