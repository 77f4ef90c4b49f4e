#pragma once

#include <QGroupBox>

// The two explanation lines of the main window's header box. Panels whose choices change the
// explanation (the number systems, the ROT variants) write them through this.
class HeaderLines
{
public:
    virtual ~HeaderLines() = default;
    virtual void setOben(const QString &text) = 0;
    virtual void setOben2(const QString &text) = 0;
};

// A tool panel of the main window. The navigator knows a tool only through its panel (found by
// its objectName, e.g. "gboxVigenere") and the reset it runs when the tool's node is chosen.
class ToolPanel : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

    // The further steps of the tool's navigator row, run after the panel came to the front.
    virtual void nodeChosen() { }

    // For the chart panel: show the picture file at `path` (the panel reports its own errors).
    virtual void showChart(const QString &path) { Q_UNUSED(path); }
};
