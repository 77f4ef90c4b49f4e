#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

#include "gui/support/WidgetStyle.h"

#include <utility>

// Fonts and colours shared by the Kryptologie panels.
namespace CipherLook {

inline const QColor kRed(255, 0, 0);
inline const QColor kGreen(0, 128, 0);
inline const QColor kNavy(0, 0, 128);
inline const QColor kBlue(0, 0, 255);
inline const QColor kPurple(128, 0, 128);
inline const QColor kRose(255, 0, 128);

// Tahoma, 18 pixels high at 120 dots per inch.
inline QFont panelFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(11);
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

} // namespace CipherLook
