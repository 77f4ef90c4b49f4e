#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPlainTextEdit>
#include <QWidget>

#include "gui/support/DesignSize.h"
#include "gui/support/WidgetStyle.h"

#include <utility>

// Fonts and colours shared by the Kryptologie panels.
namespace CipherLook {

using namespace Colours;

// Tahoma, 18 pixels high at 120 dots per inch.
inline QFont panelFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(DesignSize::fontPoints(18));
    return font;
}

using ::setTextColour;

template<typename Widget, typename... Args>
Widget *named(const char *name, QWidget *parent, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A text box of a cipher panel: Tab moves on instead of typing a tab, the text in `colour`.
template<typename Box = QPlainTextEdit>
Box *textBox(const char *name, QWidget *parent, const QColor &colour)
{
    auto *box = named<Box>(name, parent);
    box->setTabChangesFocus(true);
    setTextColour(box, colour);
    return box;
}

} // namespace CipherLook
