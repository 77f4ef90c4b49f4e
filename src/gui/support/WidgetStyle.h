#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QWidget>

// Small helpers for building windows and panels in code: a control gets its documented name as
// objectName, text colours and bold fonts are set through the palette and font.
template<typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

// One colour role of a widget's palette.
inline void setPaletteColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// The text colour of a label, button, check box or text field.
inline void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

inline void setBold(QWidget *widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

namespace Colours {
inline const QColor kBlack(0, 0, 0);
inline const QColor kRed(255, 0, 0);
inline const QColor kGreen(0, 128, 0);
inline const QColor kNavy(0, 0, 128);
inline const QColor kPurple(128, 0, 128);
inline const QColor kOrange(255, 128, 0);
inline const QColor kRedOrange(255, 69, 0);
inline const QColor kLightGrey(224, 224, 224);
inline const QColor kBlue(0, 0, 255);
inline const QColor kRose(255, 0, 128);
} // namespace Colours
