#include "gui/app/FrontPageStack.h"

#include <QLayout>

#include <algorithm>

FrontPageStack::FrontPageStack(QWidget *parent)
    : QStackedWidget(parent)
{
    // Otherwise the stack's layout fixes the stack's minimum at the largest page's.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    connect(this, &QStackedWidget::currentChanged, this, [this] { updateGeometry(); });
}

QSize FrontPageStack::sizeHint() const
{
    const QWidget *page = currentWidget();
    return page ? page->sizeHint().expandedTo(minimumSizeHint()) : QSize();
}

QSize FrontPageStack::minimumSizeHint() const
{
    const QWidget *page = currentWidget();
    if (!page)
        return {};
    // A page's own layout sets its minimum size; without one, its hint counts.
    const QSize minimum = page->minimumSize();
    return minimum.expandedTo(page->minimumSizeHint()).boundedTo(page->maximumSize());
}

bool FrontPageStack::hasHeightForWidth() const
{
    const QWidget *page = currentWidget();
    return page && page->hasHeightForWidth();
}

int FrontPageStack::heightForWidth(int width) const
{
    const QWidget *page = currentWidget();
    if (!page || !page->hasHeightForWidth())
        return -1;
    return std::max(page->heightForWidth(width), minimumSizeHint().height());
}
