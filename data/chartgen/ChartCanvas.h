#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

// Shared drawing conventions of the reference charts: one width that fits the chart panel
// without scaling, one title style, one text font, so the nine charts look like one set.
namespace Chart {

inline constexpr int kWidth = 498;
inline constexpr int kMaxHeight = 452;
inline constexpr int kMargin = 14;

inline const QColor kInk(30, 30, 40);
inline const QColor kTitle(120, 20, 100);
inline const QColor kMuted(90, 90, 100);
inline const QColor kGrid(200, 200, 210);
inline const QColor kShade(238, 240, 246);

// A blank chart: white, or fully transparent for formats that keep an alpha channel.
QImage blank(int height, bool transparent = false);

// Text in the charts' face (DejaVu Sans, sized in pixels so the result does not depend on
// the screen's resolution).
QFont font(int pixelSize, bool bold = false);
QFont serifFont(int pixelSize, bool bold = false);

// Title and one explanation line at the top; returns the first free y below them.
int drawTitle(QPainter &p, const QString &title, const QString &subtitle);

// Prepares a painter with antialiasing and the ink colour.
void begin(QPainter &p);

void drawCentred(QPainter &p, const QRectF &box, const QString &text, const QFont &f,
                 const QColor &colour = kInk);

} // namespace Chart

// One function per chart; each returns the finished picture.
QImage drawLetterValues(); // Zahlenwerte.jpg
QImage drawMorse(); // Morse_Code.jpg
QImage drawBraille(); // Braille_Alphabet.jpg
QImage drawFlags(); // Flaggenalphabet.png
QImage drawPigpen(); // Freimaurer_Code.jpg
QImage drawTheban(); // Hexenschrift.jpg
QImage drawDancingMen(); // dancing_men_cypher.jpg
QImage drawRoman(); // Roemische_Zahlen.jpg
QImage drawRodNumerals(); // Stabzahlen.jpg
