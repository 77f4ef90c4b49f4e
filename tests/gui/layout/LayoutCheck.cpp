#include "gui/layout/LayoutCheck.h"

#include "gui/support/DesignSize.h"
#include "gui/support/ScreenFit.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <QtMath>

namespace {

QString describe(const QWidget *widget, const QString &what)
{
    const QString name = widget->objectName().isEmpty()
        ? QString::fromLatin1(widget->metaObject()->className())
        : widget->objectName();
    return name + QStringLiteral(": ") + what;
}

// Text that needs more room than the control got: a button or a plain caption label.
bool squeezed(const QWidget *widget)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        const auto *tool = qobject_cast<const QToolButton *>(button);
        if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
            return false; // its caption is a tool tip
        // The caption must fit; the style's wish for a wider button is no cut.
        QString caption = button->text();
        caption.remove(u'&');
        const int needed = button->fontMetrics().horizontalAdvance(caption);
        const int iconWidth = button->icon().isNull() ? 0 : button->iconSize().width();
        return !caption.isEmpty() && button->contentsRect().width() < needed + iconWidth;
    }
    const auto *label = qobject_cast<const QLabel *>(widget);
    if (!label || label->wordWrap() || label->text().isEmpty() || !label->pixmap().isNull())
        return false;
    if (label->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored)
        return false; // a result label: clipped on purpose, copyable whole
    return label->width() < label->sizeHint().width();
}

void check(const QWidget *parent, const QWidget *window, const QRect &visible, QStringList &found)
{
    const bool scrolls = qobject_cast<const QAbstractScrollArea *>(parent->parentWidget()) &&
        static_cast<const QAbstractScrollArea *>(parent->parentWidget())->viewport() == parent;
    for (const QObject *object : parent->children()) {
        const auto *child = qobject_cast<const QWidget *>(object);
        if (!child || child->isWindow() || !child->isVisibleTo(window))
            continue;
        const QRect rect(child->mapTo(window, QPoint(0, 0)), child->size());
        // The content of a scroll area may be larger than its view: it is reached by scrolling.
        const QRect allowed = scrolls ? rect : visible;
        if (!allowed.contains(rect))
            found.append(describe(child, QStringLiteral("outside the visible area")));
        else if (squeezed(child))
            found.append(describe(child, QStringLiteral("text cut")));
        check(child, window, allowed.intersected(rect), found);
    }
}

} // namespace

QStringList controlsOutOfSight(QWidget *window)
{
    QStringList found;
    if (!frameOnScreen(window))
        found.append(describe(window,
                              QStringLiteral("frame %1,%2 %3 x %4 off the screen")
                                  .arg(window->frameGeometry().x())
                                  .arg(window->frameGeometry().y())
                                  .arg(window->frameGeometry().width())
                                  .arg(window->frameGeometry().height())));
    check(window, window, window->rect(), found);
    return found;
}

QSize expectedClientSize(const QWidget *window, QSize designed)
{
    const QSize border = window->frameGeometry().size() - window->size();
    const QSize room = ScreenFit::primaryArea().size() - border;
    return DesignSize::size(window, designed.width(), designed.height()).boundedTo(room);
}

bool frameOnScreen(const QWidget *window)
{
    // At a fractional device pixel ratio (1.25) Qt rounds the screen's and the window's
    // device-independent sizes apart by up to a pixel.
    const qreal ratio = window->devicePixelRatioF();
    const int slack = ratio == qFloor(ratio) ? 0 : 1;
    return ScreenFit::primaryArea()
        .adjusted(-slack, -slack, slack, slack)
        .contains(window->frameGeometry());
}
