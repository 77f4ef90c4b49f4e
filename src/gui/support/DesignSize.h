#pragma once

#include <QSize>

class QScreen;
class QWidget;

// Every window and panel is designed on a screen of 120 dots per inch: a button designed 100
// pixels wide is 100 device pixels there. These helpers turn such a designed size into the
// device-independent pixels Qt lays out with on the screen a widget is on, so a window has the
// same proportions against its text on every screen (on a 96 dpi screen it is 0.8 times as
// large). Sizes the user made (stored window geometry, dragged splitters) are not designed
// sizes and never pass through here.
namespace DesignSize {

inline constexpr double kDesignDpi = 120.0;

// logicalDotsPerInch / 120 of the screen; the factor of a 96 dpi screen without a screen.
double scaleOf(const QScreen *screen);

// The factor of the screen the widget is on (the primary screen before it is shown).
double scale(const QWidget *widget);

// A designed length in device-independent pixels for `widget`'s screen, rounded.
int px(const QWidget *widget, int designed);
QSize size(const QWidget *widget, int designedWidth, int designedHeight);

// The point size of a font designed as `designedPixels` high at 120 dpi. Points follow each
// screen's resolution by themselves, so the font needs no widget.
double fontPoints(int designedPixels);

} // namespace DesignSize
