#pragma once

#include "gui/map/MapLayer.h"
#include "logic/map/MapShapes.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class TileLoader;

// The map: Web-Mercator raster tiles under a graticule and the layers, a scale bar and the
// tile server's attribution. Drag or the arrow keys pan, the wheel or +/− zoom (around the
// cursor for the wheel). Without tiles the graticule and the layers are drawn all the same and
// one notice says that the map is offline.
//
// Positions are kept as fractions of the Web-Mercator square (Map::normalised), so a frame only
// scales and shifts them; the candidates of a formula run (up to a million) are drawn straight
// from such an array. Lines are simplified once per zoom level and cut into pieces whose bounds
// tell whether they are in view. The layers and candidates are drawn into a picture a little
// larger than the widget and kept: while dragging, a frame only shifts that picture, and it is
// drawn anew when the zoom, the layers or the size change or the view leaves it.
class MapWidget : public QWidget
{
public:
    static inline const QString kAttribution = QStringLiteral("© OpenStreetMap-Mitwirkende");
    static inline const QString kOfflineText = QStringLiteral("Keine Kartenkacheln (offline)");

    explicit MapWidget(QWidget *parent = nullptr);
    ~MapWidget() override;

    // No loader: graticule and layers only.
    void setTileLoader(TileLoader *loader);

    // Layers by name: setting a layer of the same name replaces it, an empty one removes it.
    void setLayer(const Map::Layer &layer, const QColor &colour);
    const QList<Map::Layer> &layers() const { return m_layers; }
    // A hidden layer keeps its place and its data but is not drawn (nor exported).
    void setLayerVisible(const QString &name, bool visible);
    bool layerVisible(const QString &name) const;
    void removeLayer(const QString &name);
    QColor layerColour(const QString &name) const;
    // Points with the number the caller knows them by (a formula run's combination index).
    void setCandidates(const std::vector<Geo::GeoPoint> &points, const std::vector<quint64> &ids);
    size_t candidateCount() const { return m_candidates.size(); }

    void setView(Geo::GeoPoint centre, int zoom);
    Geo::GeoPoint centre() const;
    int zoom() const { return m_zoom; }
    // Centres the given positions at the highest zoom that shows them all.
    void fitTo(const QList<Geo::GeoPoint> &points);
    Geo::GeoPoint positionAt(QPointF widgetPoint) const;
    QPointF pointOf(Geo::GeoPoint position) const;

    void setNotation(int notation) { m_notation = notation; }
    QString positionText(Geo::GeoPoint p) const;
    QString openStreetMapUrl(Geo::GeoPoint p) const;

    // Hooks of the window: the position under the cursor, a click on a candidate, a link to open.
    std::function<void(Geo::GeoPoint)> cursorMoved;
    std::function<void(quint64)> candidateClicked;
    std::function<void(const QString &)> openUrl;
    std::function<void()> viewChanged;
    std::function<void()> layersChanged; // added, replaced, removed, shown or hidden

    // The context menu for the position at `at` ("Position kopieren", "In OpenStreetMap öffnen").
    QMenu *createContextMenu(QPointF at);

    // Draws one frame into `painter` (the benchmark and the screenshots call this directly).
    void render(QPainter &painter);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QPointF topLeft() const; // world pixel of the widget's top-left corner
    void panBy(QPointF pixels);
    void zoomAround(int zoom, QPointF widgetPoint);
    void drawTiles(QPainter &painter);
    void drawGraticule(QPainter &painter);
    void drawKept(QPainter &painter);
    void drawLayers(QPainter &painter, QPointF origin, QSizeF area);
    void drawCandidates(QPainter &painter, QPointF origin, QSizeF area);
    void layersEdited();
    void drawDecorations(QPainter &painter);
    void copyPosition(Geo::GeoPoint p);

    TileLoader *m_loader = nullptr;
    QList<Map::Layer> m_layers;
    std::vector<MapLayer::Shape> m_shapes; // beside m_layers
    QImage m_kept; // layers and candidates around the view
    QPointF m_keptOrigin; // world pixel of m_kept's top-left corner
    int m_keptZoom = -1;
    std::vector<QPointF> m_candidates; // normalised
    std::vector<quint64> m_candidateIds;
    QPointF m_centre {0.5, 0.5}; // normalised
    int m_zoom = 2;
    int m_notation = 1;
    QPoint m_pressAt;
    QPointF m_pressCentre;
    bool m_dragging = false;
    int m_wheelAngle = 0; // eighths of a degree not yet turned into zoom
};
