#include "gui/app/panels/gboxDiagramm.h"

#include "gui/app/AppContext.h"
#include "gui/app/panels/ChartPicture.h"
#include "gui/support/HandlerGuard.h"

namespace {

constexpr int kImageLeft = 23;
constexpr int kImageTop = 37;
constexpr int kImageWidth = 498;
constexpr int kImageHeight = 452; // as designed
constexpr int kBottomGap = 12; // between the control and the panel's lower edge

} // namespace

gboxDiagramm::gboxDiagramm(AppContext &context, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("gboxDiagramm"));
    ImageContainer = new ChartPicture(this);
    ImageContainer->setGeometry(kImageLeft, kImageTop, kImageWidth, kImageHeight);
}

void gboxDiagramm::showChart(const QString &path)
{
    guarded(m_context.dialogs, this, [&] { ImageContainer->loadFromFile(path); });
}

void gboxDiagramm::resizeEvent(QResizeEvent *event)
{
    ToolPanel::resizeEvent(event);
    placeImage();
}

// Anchored left, top and bottom: the height follows the panel, the width stays.
void gboxDiagramm::placeImage()
{
    const int h = std::max(0, height() - kImageTop - kBottomGap);
    ImageContainer->setGeometry(kImageLeft, kImageTop, kImageWidth, h);
}
