#pragma once

#include <QStackedWidget>

// A stack of pages that asks for the room of the page in front only. A plain QStackedWidget asks
// for the largest page's room, so in a scroll area a small panel would scroll through the empty
// space a large one behind it needs.
class FrontPageStack : public QStackedWidget
{
public:
    explicit FrontPageStack(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // A scroll area asks these for pages with wrapped text; the stack's layout would answer for
    // the tallest page, and with the page's preferred height.
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
};
