#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QScrollArea;
class QWidget;

// Keeps windows wholly on a screen: a laptop of 1366 x 768 must show every control, and a
// position stored while a second monitor was attached must not leave the window out of reach.
namespace ScreenFit {

// Where a window whose frame is `frame` belongs: on the available area it overlaps most (the
// primary area when it overlaps none), no larger than that area, and moved inside it. The
// areas are the screens' available geometries (without panels and docks).
QRect fitFrame(const QRect &frame, const QList<QRect> &areas, const QRect &primaryArea);

// The available area a frame belongs to: the one it overlaps most, else the primary one.
QRect areaFor(const QRect &frame, const QList<QRect> &areas, const QRect &primaryArea);

// The available areas of all screens and of the primary one.
QList<QRect> availableAreas();
QRect primaryArea();

// Moves and shrinks `window` so its frame is wholly on a screen, now and whenever it is shown
// again. A minimum size larger than the screen is lowered to it, so the window can shrink.
void keepOnScreen(QWidget *window);

// Fits the window once (keepOnScreen does this on every show); a maximised or full-screen
// window is left to the window manager.
void fitWindow(QWidget *window);

// `content` in a frameless scroll area that follows its size while there is room and scrolls
// once the window is smaller than the content can shrink.
QScrollArea *scrollWhenCramped(QWidget *content, QWidget *parent = nullptr);

} // namespace ScreenFit
