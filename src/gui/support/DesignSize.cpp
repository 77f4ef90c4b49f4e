#include "gui/support/DesignSize.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace DesignSize {

double scaleOf(const QScreen *screen)
{
    constexpr double kFallbackDpi = 96.0;
    const double dpi = screen ? screen->logicalDotsPerInch() : kFallbackDpi;
    return (dpi > 0 ? dpi : kFallbackDpi) / kDesignDpi;
}

double scale(const QWidget *widget)
{
    const QScreen *screen = widget ? widget->screen() : nullptr;
    return scaleOf(screen ? screen : QGuiApplication::primaryScreen());
}

int px(const QWidget *widget, int designed)
{
    return int(std::lround(designed * scale(widget)));
}

QSize size(const QWidget *widget, int designedWidth, int designedHeight)
{
    return {px(widget, designedWidth), px(widget, designedHeight)};
}

double fontPoints(int designedPixels)
{
    constexpr double kPointsPerInch = 72.0;
    return designedPixels * kPointsPerInch / kDesignDpi;
}

} // namespace DesignSize
