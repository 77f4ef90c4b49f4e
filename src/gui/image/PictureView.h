#pragma once

#include <QImage>
#include <QScrollArea>

#include <functional>

// The picture shown at a zoom, its pixels kept sharp (no smoothing: a view for looking at single
// pixels). "Einpassen" fits it into the window and follows the window's size. Ctrl + wheel
// zooms; a click names the pixel under the mouse, moving names the pixel under it.
class PictureView : public QScrollArea
{
public:
    explicit PictureView(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

    // Zero: fit into the window.
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    // The factor the picture is drawn with now (the fitted one while fitting).
    double shownZoom() const;

    std::function<void(QPoint pixel)> onPixelClicked;
    std::function<void(QPoint pixel)> onPixelHovered;
    std::function<void(int steps)> onZoomWheel;

    // The pixel of the picture under a point of the canvas; outside the picture: (-1, -1).
    QPoint pixelAt(QPoint canvasPoint) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutCanvas();

    QImage m_image;
    double m_zoom = 0.0;
};
