#include "gui/image/PictureView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace {

// Draws the picture at the view's zoom, only the part that needs repainting.
class Canvas : public QWidget
{
public:
    explicit Canvas(PictureView *view)
        : QWidget(view)
        , m_view(view)
    {
        setMouseTracking(true);
        setObjectName(QStringLiteral("pictureCanvas"));
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().dark());
        const QImage &image = m_view->image();
        if (image.isNull())
            return;
        const double zoom = m_view->shownZoom();
        const QRectF target(0, 0, image.width() * zoom, image.height() * zoom);
        const QRectF exposed = target.intersected(QRectF(event->rect()));
        const QRectF source(exposed.x() / zoom, exposed.y() / zoom, exposed.width() / zoom,
                            exposed.height() / zoom);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(exposed, image, source);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && m_view->onPixelClicked) {
            const QPoint pixel = m_view->pixelAt(event->position().toPoint());
            if (pixel.x() >= 0)
                m_view->onPixelClicked(pixel);
        }
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (m_view->onPixelHovered)
            m_view->onPixelHovered(m_view->pixelAt(event->position().toPoint()));
    }
    void wheelEvent(QWheelEvent *event) override
    {
        if (!(event->modifiers() & Qt::ControlModifier) || !m_view->onZoomWheel) {
            event->ignore();
            return;
        }
        m_view->onZoomWheel(event->angleDelta().y() > 0 ? 1 : -1);
        event->accept();
    }

private:
    PictureView *m_view;
};

} // namespace

PictureView::PictureView(QWidget *parent)
    : QScrollArea(parent)
{
    setWidget(new Canvas(this));
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
}

void PictureView::setImage(const QImage &image)
{
    const bool sameSize = image.size() == m_image.size();
    m_image = image;
    if (sameSize)
        widget()->update();
    else
        layoutCanvas();
}

void PictureView::setZoom(double zoom)
{
    m_zoom = zoom;
    layoutCanvas();
}

double PictureView::shownZoom() const
{
    if (m_zoom > 0 || m_image.isNull())
        return m_zoom > 0 ? m_zoom : 1.0;
    const QSize room = maximumViewportSize();
    const double fit =
        std::min(double(room.width()) / m_image.width(), double(room.height()) / m_image.height());
    // Fitting never enlarges a small picture beyond eight times.
    return std::clamp(fit, 1e-3, 8.0);
}

QPoint PictureView::pixelAt(QPoint canvasPoint) const
{
    const double zoom = shownZoom();
    const QPoint pixel(int(std::floor(canvasPoint.x() / zoom)),
                       int(std::floor(canvasPoint.y() / zoom)));
    return m_image.rect().contains(pixel) ? pixel : QPoint(-1, -1);
}

void PictureView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    if (m_zoom <= 0)
        layoutCanvas();
}

void PictureView::layoutCanvas()
{
    const double zoom = shownZoom();
    const QSize size = m_image.isNull() ? QSize(1, 1)
                                        : QSize(qMax(1, int(std::ceil(m_image.width() * zoom))),
                                                qMax(1, int(std::ceil(m_image.height() * zoom))));
    widget()->resize(size);
    widget()->update();
}
