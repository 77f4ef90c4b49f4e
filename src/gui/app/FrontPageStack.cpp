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

// Qt's height for a width is the page's preferred height, text boxes at their full size hint;
// a scroll area takes it as the least height and scrolls where the boxes could simply shrink.
// What the boxes may give up at the preferred width comes off again, while wrapped text still
// gets the lines the width asks for.
int FrontPageStack::heightForWidth(int width) const
{
    const QWidget *page = currentWidget();
    if (!page || !page->hasHeightForWidth())
        return -1;
    const int minimum = minimumSizeHint().height();
    const int slack = std::max(0, page->sizeHint().height() - minimum);
    return std::max(page->heightForWidth(width) - slack, minimum);
}
