#pragma once

#include <QSize>
#include <QStringList>

class QWidget;

// What a user on a small screen would miss: controls of a shown window that lie outside the
// window, outside the part of their parent that is drawn, or that are squeezed below the size
// their text needs. Content inside a scroll area counts as reachable.
QStringList controlsOutOfSight(QWidget *window);

// A designed client size (at 120 dpi) as the window should have it on its screen: turned into
// the screen's pixels, no larger than the screen's available area leaves beside the frame.
QSize expectedClientSize(const QWidget *window, QSize designed);

// Whether the window's frame lies wholly inside the available area of the primary screen.
bool frameOnScreen(const QWidget *window);
