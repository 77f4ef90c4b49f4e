#pragma once

#include <QPixmap>

// Pictures the program draws itself instead of shipping them.
namespace Pictures {

// A compass rose over a topographic grid: the picture of the splash and information windows.
QPixmap compassRose(const QSize &size);

} // namespace Pictures
