#pragma once

#include "gui/app/ToolPanel.h"

class ChartPicture;
struct AppContext;

// The chart panel: one picture control showing the reference chart last chosen in the
// navigator. The control keeps its width and grows and shrinks with the panel's height.
class gboxDiagramm : public ToolPanel
{
public:
    explicit gboxDiagramm(AppContext &context, QWidget *parent = nullptr);

    // Loads the chart anew every time; a file that cannot be read is reported in the general
    // error box and the picture shown before stays.
    void showChart(const QString &path) override;

    ChartPicture *ImageContainer = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeImage();

    AppContext &m_context;
};
