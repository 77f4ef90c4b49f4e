#include "gui/support/ScreenFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>

#include <algorithm>

namespace ScreenFit {

namespace {

qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

int clampedStart(int start, int length, int areaStart, int areaLength)
{
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

// Refits the window each time it is shown: the frame is known only then, and a window that
// was moved while hidden comes back onto the screen.
class FitOnShow : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            fitWindow(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

QRect areaFor(const QRect &frame, const QList<QRect> &areas, const QRect &primaryArea)
{
    QRect area = primaryArea;
    qint64 best = 0;
    for (const QRect &candidate : areas) {
        if (const qint64 common = overlap(frame, candidate); common > best) {
            best = common;
            area = candidate;
        }
    }
    return area;
}

QRect fitFrame(const QRect &frame, const QList<QRect> &areas, const QRect &primaryArea)
{
    const QRect area = areaFor(frame, areas, primaryArea);
    if (area.isEmpty())
        return frame;
    const int width = std::min(frame.width(), area.width());
    const int height = std::min(frame.height(), area.height());
    return {clampedStart(frame.left(), width, area.left(), area.width()),
            clampedStart(frame.top(), height, area.top(), area.height()), width, height};
}

QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

QRect primaryArea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void fitWindow(QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QList<QRect> areas = availableAreas();
    const QRect area = areaFor(frame, areas, primaryArea());
    // The frame's border and title bar stay as the window manager draws them.
    const QSize border = frame.size() - window->size();
    // Also a maximised window must not be held larger than its screen by its minimum.
    if (!area.isEmpty())
        window->setMinimumSize(window->minimumSize().boundedTo(area.size() - border));
    if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QRect fitted = fitFrame(frame, areas, primaryArea());
    if (fitted == frame)
        return;
    window->resize(fitted.size() - border);
    window->move(fitted.topLeft());
}

void keepOnScreen(QWidget *window)
{
    window->installEventFilter(new FitOnShow(window));
    fitWindow(window);
}

QScrollArea *scrollWhenCramped(QWidget *content, QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

} // namespace ScreenFit
