#pragma once

#include <QIcon>
#include <QList>

// The program's pictures: its own application icon, and the pictures of menu and tool-bar
// entries. An entry's picture comes from the desktop's icon theme by its freedesktop name, so
// it matches the other programs there; our own drawing of the same motif stands in wherever
// the theme lacks it, or there is no theme at all.
namespace Icons {

// The sizes our pictures are rendered in at build time.
QList<int> applicationSizes(); // 16 ... 256, the hicolor sizes
QList<int> actionSizes(); // 16 ... 48, menus and tool bars

// The application icon in every rendered size: the window icon of every window.
QIcon application();

// The theme's picture called `freedesktopName`, or our own drawing of it.
QIcon action(const char *freedesktopName);

// Our own drawing only, for entries no freedesktop name describes (the Sudoku solver).
QIcon own(const char *name);

} // namespace Icons
