#include "gui/app/panels/gboxDiagramm.h"

#include "gui/app/AppContext.h"
#include "gui/app/panels/ChartPicture.h"
#include "gui/support/DesignSize.h"
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
    ImageContainer->setGeometry(
        QRect(QPoint(DesignSize::px(this, kImageLeft), DesignSize::px(this, kImageTop)),
              DesignSize::size(this, kImageWidth, kImageHeight)));
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
    const auto d = [this](int designed) { return DesignSize::px(this, designed); };
    const int h = std::max(0, height() - d(kImageTop) - d(kBottomGap));
    ImageContainer->setGeometry(d(kImageLeft), d(kImageTop), d(kImageWidth), h);
}
