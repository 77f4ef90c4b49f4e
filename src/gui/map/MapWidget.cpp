#include "gui/map/MapWidget.h"

#include "gui/map/MapLayer.h"
#include "gui/map/TileLoader.h"
#include "logic/formula/FormulaExport.h"
#include "logic/map/TileMath.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kKeyPanPixels = 100;
constexpr int kClickSlop = 3; // pixels a press may move and still be a click
constexpr double kHitRadius = 6;

const QColor kLand(0xEC, 0xE8, 0xDE);
const QColor kOutside(0xB8, 0xC4, 0xCE);
const QColor kCandidate(0xC0, 0x1C, 0x28);

// The graticule's spacing: the finest of these steps (in degrees) whose lines are at least
// 80 pixels apart.
double graticuleStep(int zoom)
{
    static const double steps[] = {0.05 / 60, 0.1 / 60, 0.25 / 60, 0.5 / 60, 1.0 / 60,
                                   2.0 / 60,  5.0 / 60, 10.0 / 60, 0.5,      1,
                                   2,         5,        10,        30};
    const double pixelsPerDegree = Map::worldSize(zoom) / 360.0;
    for (double step : steps) {
        if (step * pixelsPerDegree >= 80)
            return step;
    }
    return 30;
}

QString degreeLabel(double value, double step)
{
    if (step >= 1)
        return QStringLiteral("%1°").arg(value, 0, 'f', 0);
    const double whole = std::trunc(value);
    const double minutes = std::abs(value - whole) * 60;
    return QStringLiteral("%1° %2'").arg(QString::number(whole, 'f', 0),
                                         Formula::decimalComma(minutes, step * 60 >= 1 ? 0 : 2));
}

} // namespace

MapWidget::MapWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("mapKarte"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(200, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

MapWidget::~MapWidget() = default;

void MapWidget::setTileLoader(TileLoader *loader)
{
    m_loader = loader;
    if (m_loader)
        m_loader->changed = [this] { update(); };
    update();
}

void MapWidget::setLayer(const Map::Layer &layer, const QColor &colour)
{
    MapLayer::Shape shape = MapLayer::shapeOf(layer, colour);
    // A layer keeps its place in the drawing order (and whether it is shown) when replaced.
    for (qsizetype i = 0; i < m_layers.size(); ++i) {
        if (m_layers[i].name != layer.name)
            continue;
        if (layer.isEmpty()) {
            removeLayer(layer.name);
            return;
        }
        shape.visible = m_shapes[size_t(i)].visible;
        m_layers[i] = layer;
        m_shapes[size_t(i)] = std::move(shape);
        layersEdited();
        return;
    }
    if (!layer.isEmpty()) {
        m_layers.append(layer);
        m_shapes.push_back(std::move(shape));
    }
    layersEdited();
}

void MapWidget::setLayerVisible(const QString &name, bool visible)
{
    for (qsizetype i = 0; i < m_layers.size(); ++i) {
        if (m_layers[i].name == name && m_shapes[size_t(i)].visible != visible) {
            m_shapes[size_t(i)].visible = visible;
            layersEdited();
        }
    }
}

bool MapWidget::layerVisible(const QString &name) const
{
    for (qsizetype i = 0; i < m_layers.size(); ++i) {
        if (m_layers[i].name == name)
            return m_shapes[size_t(i)].visible;
    }
    return false;
}

QColor MapWidget::layerColour(const QString &name) const
{
    for (qsizetype i = 0; i < m_layers.size(); ++i) {
        if (m_layers[i].name == name)
            return m_shapes[size_t(i)].colour;
    }
    return {};
}

void MapWidget::removeLayer(const QString &name)
{
    for (qsizetype i = 0; i < m_layers.size(); ++i) {
        if (m_layers[i].name == name) {
            m_layers.removeAt(i);
            m_shapes.erase(m_shapes.begin() + i);
            layersEdited();
            return;
        }
    }
}

void MapWidget::layersEdited()
{
    m_keptZoom = -1;
    update();
    if (layersChanged)
        layersChanged();
}

void MapWidget::setCandidates(const std::vector<Geo::GeoPoint> &points,
                              const std::vector<quint64> &ids)
{
    m_candidates.clear();
    m_candidates.reserve(points.size());
    for (const Geo::GeoPoint &p : points)
        m_candidates.push_back(Map::normalised(p));
    m_candidateIds = ids;
    m_candidateIds.resize(m_candidates.size());
    m_keptZoom = -1;
    update();
}

void MapWidget::setView(Geo::GeoPoint centre, int zoom)
{
    m_zoom = std::clamp(zoom, Map::kMinZoom, Map::kMaxZoom);
    m_centre = Map::normalised(centre);
    update();
    if (viewChanged)
        viewChanged();
}

Geo::GeoPoint MapWidget::centre() const
{
    return Map::fromNormalised(m_centre);
}

void MapWidget::fitTo(const QList<Geo::GeoPoint> &points)
{
    Geo::GeoPoint southWest, northEast;
    if (!Map::boundsOf(points, southWest, northEast))
        return;
    const int zoom = std::min(
        17,
        Map::zoomToFit(southWest, northEast, std::max(width(), 400), std::max(height(), 300), 40));
    const QPointF a = Map::normalised({northEast.lat, southWest.lon});
    const QPointF b = Map::normalised({southWest.lat, northEast.lon});
    setView(Map::fromNormalised((a + b) / 2), zoom);
}

QPointF MapWidget::topLeft() const
{
    return m_centre * Map::worldSize(m_zoom) - QPointF(width() / 2.0, height() / 2.0);
}

Geo::GeoPoint MapWidget::positionAt(QPointF widgetPoint) const
{
    return Map::positionAtPixel(topLeft() + widgetPoint, m_zoom);
}

QPointF MapWidget::pointOf(Geo::GeoPoint position) const
{
    return Map::worldPixel(position, m_zoom) - topLeft();
}

QString MapWidget::positionText(Geo::GeoPoint p) const
{
    return Map::positionInNotation(p, m_notation);
}

QString MapWidget::openStreetMapUrl(Geo::GeoPoint p) const
{
    const QString lat = QString::number(p.lat, 'f', 6);
    const QString lon = QString::number(std::remainder(p.lon, 360.0), 'f', 6);
    return QStringLiteral("https://www.openstreetmap.org/?mlat=%1&mlon=%2#map=%3/%1/%2")
        .arg(lat, lon)
        .arg(std::max(m_zoom, 15));
}

void MapWidget::panBy(QPointF pixels)
{
    const QPointF c = m_centre + pixels / Map::worldSize(m_zoom);
    m_centre = {std::clamp(c.x(), 0.0, 1.0), std::clamp(c.y(), 0.0, 1.0)};
    update();
    if (viewChanged)
        viewChanged();
}

void MapWidget::zoomAround(int zoom, QPointF widgetPoint)
{
    zoom = std::clamp(zoom, Map::kMinZoom, Map::kMaxZoom);
    if (zoom == m_zoom)
        return;
    const QPointF fixed = (topLeft() + widgetPoint) / Map::worldSize(m_zoom);
    m_zoom = zoom;
    const QPointF newTopLeft = fixed * Map::worldSize(m_zoom) - widgetPoint;
    m_centre = (newTopLeft + QPointF(width() / 2.0, height() / 2.0)) / Map::worldSize(m_zoom);
    panBy({0, 0}); // clamps, repaints, reports
}

void MapWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    render(painter);
}

void MapWidget::resizeEvent(QResizeEvent *event)
{
    m_keptZoom = -1;
    QWidget::resizeEvent(event);
}

void MapWidget::render(QPainter &painter)
{
    painter.fillRect(rect(), kOutside);
    const QPointF tl = topLeft();
    const double size = Map::worldSize(m_zoom);
    painter.fillRect(QRectF(-tl, QSizeF(size, size)), kLand);
    drawTiles(painter);
    drawGraticule(painter);
    drawKept(painter);
    drawDecorations(painter);
}

void MapWidget::drawKept(QPainter &painter)
{
    if (m_layers.isEmpty() && m_candidates.empty())
        return;
    const QPointF tl = topLeft();
    const QRectF view(tl, QSizeF(width(), height()));
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QRectF kept(m_keptOrigin, m_kept.deviceIndependentSize());
    if (m_keptZoom != m_zoom || m_kept.devicePixelRatio() != ratio || !kept.contains(view)) {
        // A margin of a quarter of the view on every side: a drag redraws about every 30
        // frames, and the picture stays a few megabytes.
        const QSizeF margin(std::max(64, width() / 4), std::max(64, height() / 4));
        const QSizeF area(width() + 2 * margin.width(), height() + 2 * margin.height());
        m_keptOrigin =
            QPointF(std::floor(tl.x() - margin.width()), std::floor(tl.y() - margin.height()));
        m_kept = QImage((area * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        m_kept.setDevicePixelRatio(ratio);
        m_kept.fill(Qt::transparent);
        m_keptZoom = m_zoom;
        QPainter keptPainter(&m_kept);
        keptPainter.setFont(painter.font());
        drawCandidates(keptPainter, m_keptOrigin, area);
        drawLayers(keptPainter, m_keptOrigin, area);
    }
    painter.drawImage(m_keptOrigin - tl, m_kept);
}

void MapWidget::drawTiles(QPainter &painter)
{
    if (!m_loader)
        return;
    m_loader->clearWishes();
    m_loader->cancelOtherZooms(m_zoom);
    const QPointF tl = topLeft();
    const int count = 1 << m_zoom;
    const int x0 = std::max(0, int(std::floor(tl.x() / Map::kTileSize)));
    const int y0 = std::max(0, int(std::floor(tl.y() / Map::kTileSize)));
    const int x1 = std::min(count - 1, int(std::floor((tl.x() + width()) / Map::kTileSize)));
    const int y1 = std::min(count - 1, int(std::floor((tl.y() + height()) / Map::kTileSize)));
    // Wished for from the edges inwards: the loader serves the newest wish first, so the tiles
    // in the middle of the view come first.
    std::vector<Map::TileId> tiles;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x)
            tiles.push_back({m_zoom, x, y});
    }
    const QPointF middle = (tl + QPointF(width() / 2.0, height() / 2.0)) / Map::kTileSize;
    auto distance = [&](const Map::TileId &t) {
        return std::hypot(t.x + 0.5 - middle.x(), t.y + 0.5 - middle.y());
    };
    std::sort(tiles.begin(), tiles.end(), [&](const Map::TileId &a, const Map::TileId &b) {
        return distance(a) > distance(b);
    });
    for (const Map::TileId &t : tiles) {
        if (const QImage *image = m_loader->tile(t))
            painter.drawImage(QPointF(t.x * Map::kTileSize, t.y * Map::kTileSize) - tl, *image);
    }
}

void MapWidget::drawGraticule(QPainter &painter)
{
    const double step = graticuleStep(m_zoom);
    const Geo::GeoPoint topLeftPos = positionAt({0, 0});
    const Geo::GeoPoint bottomRight = positionAt(QPointF(width(), height()));
    painter.setPen(QPen(QColor(90, 90, 110, 110), 1, Qt::DashLine));
    QFont font = painter.font();
    font.setPointSizeF(7.5);
    painter.setFont(font);
    const double lonFrom = std::max(-180.0, std::ceil(topLeftPos.lon / step) * step);
    for (double lon = lonFrom; lon <= std::min(180.0, bottomRight.lon); lon += step) {
        const double x = pointOf({0, lon}).x();
        painter.drawLine(QPointF(x, 0), QPointF(x, height()));
        painter.drawText(QPointF(x + 3, 12), degreeLabel(lon, step));
    }
    const double latFrom = std::ceil(std::max(bottomRight.lat, -Map::kMaxLatitude) / step) * step;
    for (double lat = latFrom; lat <= std::min(topLeftPos.lat, Map::kMaxLatitude); lat += step) {
        const double y = pointOf({lat, 0}).y();
        painter.drawLine(QPointF(0, y), QPointF(width(), y));
        painter.drawText(QPointF(3, y - 3), degreeLabel(lat, step));
    }
}

void MapWidget::drawLayers(QPainter &painter, QPointF origin, QSizeF area)
{
    const double size = Map::worldSize(m_zoom);
    // The area in normalised units, grown by the width of a pen and a marker.
    const QRectF visible(origin / size - QPointF(10, 10) / size, (area + QSizeF(20, 20)) / size);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (qsizetype i = 0; i < m_layers.size(); ++i) {
        MapLayer::Shape &shape = m_shapes[size_t(i)];
        if (!shape.visible)
            continue;
        painter.setPen(QPen(shape.colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        QPolygonF polygon;
        for (const MapLayer::Piece &piece : MapLayer::piecesAt(shape, m_zoom)) {
            // By hand: QRectF::intersects takes a straight, flat piece for empty.
            const QRectF &b = piece.bounds;
            if (b.left() > visible.right() || b.right() < visible.left() ||
                b.top() > visible.bottom() || b.bottom() < visible.top())
                continue;
            polygon.resize(qsizetype(piece.points.size()));
            for (size_t k = 0; k < piece.points.size(); ++k)
                polygon[qsizetype(k)] = piece.points[k] * size - origin;
            painter.drawPolyline(polygon);
        }
        MapLayer::drawMarkers(painter, m_layers[i], shape, size, origin, area);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void MapWidget::drawCandidates(QPainter &painter, QPointF origin, QSizeF area)
{
    if (m_candidates.empty())
        return;
    const double size = Map::worldSize(m_zoom);
    const double w = area.width(), h = area.height();
    // Squares of 5 pixels without anti-aliasing: a hundred thousand of them fill in a few
    // milliseconds, where round anti-aliased dots would take ten times longer.
    std::vector<QRect> squares;
    squares.reserve(std::min<size_t>(m_candidates.size(), 200'000));
    for (const QPointF &n : m_candidates) {
        const double x = n.x() * size - origin.x();
        const double y = n.y() * size - origin.y();
        if (x < -3 || y < -3 || x > w + 3 || y > h + 3)
            continue;
        squares.emplace_back(int(x) - 2, int(y) - 2, 5, 5);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCandidate);
    painter.drawRects(squares.data(), int(squares.size()));
}

void MapWidget::drawDecorations(QPainter &painter)
{
    QFont font = painter.font();
    font.setPointSizeF(8.5);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    // The attribution the tile licence asks for, always in the bottom-right corner.
    const QRect attribution =
        metrics.boundingRect(kAttribution)
            .adjusted(-4, -2, 4, 2)
            .translated(width() - metrics.horizontalAdvance(kAttribution) - 6, height() - 6);
    painter.fillRect(attribution, QColor(255, 255, 255, 200));
    painter.setPen(Qt::black);
    painter.drawText(attribution, Qt::AlignCenter, kAttribution);

    const Map::ScaleBar bar = Map::scaleBar(positionAt(QPointF(width() / 2.0, height() / 2.0)).lat,
                                            m_zoom, std::min(150.0, width() / 3.0));
    const QPointF origin(10, height() - 12);
    painter.fillRect(QRectF(origin - QPointF(4, 18), QSizeF(bar.pixels + 8 + 50, 24)),
                     QColor(255, 255, 255, 200));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(origin, origin + QPointF(bar.pixels, 0));
    painter.drawLine(origin, origin - QPointF(0, 6));
    painter.drawLine(origin + QPointF(bar.pixels, 0), origin + QPointF(bar.pixels, -6));
    painter.drawText(origin + QPointF(bar.pixels + 6, 0), bar.text);

    if (!m_loader || m_loader->offline()) {
        const QRect notice = metrics.boundingRect(kOfflineText).adjusted(-8, -4, 8, 4);
        const QRect placed =
            notice.translated(width() / 2 - notice.width() / 2 - notice.x(), 10 - notice.y());
        painter.fillRect(placed, QColor(255, 244, 200, 230));
        painter.setPen(QColor(90, 60, 0));
        painter.drawText(placed, Qt::AlignCenter, kOfflineText);
    }
}

void MapWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressAt = event->position().toPoint();
    m_pressCentre = m_centre;
    m_dragging = false;
}

void MapWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (cursorMoved)
        cursorMoved(positionAt(event->position()));
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint delta = event->position().toPoint() - m_pressAt;
    if (!m_dragging && delta.manhattanLength() <= kClickSlop)
        return;
    m_dragging = true;
    m_centre = m_pressCentre;
    panBy(-QPointF(delta));
}

void MapWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_dragging || !candidateClicked)
        return;
    const QPointF at = event->position();
    const double size = Map::worldSize(m_zoom);
    const QPointF tl = topLeft();
    double best = kHitRadius * kHitRadius;
    qsizetype found = -1;
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        const QPointF d = m_candidates[i] * size - tl - at;
        const double squared = QPointF::dotProduct(d, d);
        if (squared <= best) {
            best = squared;
            found = qsizetype(i);
        }
    }
    if (found >= 0)
        candidateClicked(m_candidateIds[size_t(found)]);
}

void MapWidget::wheelEvent(QWheelEvent *event)
{
    // Touchpads send many small steps: they add up to a zoom level per notch of a wheel.
    m_wheelAngle += event->angleDelta().y();
    const int steps = m_wheelAngle / 120;
    m_wheelAngle -= steps * 120;
    if (steps != 0)
        zoomAround(m_zoom + steps, event->position());
}

void MapWidget::keyPressEvent(QKeyEvent *event)
{
    const QPointF middle(width() / 2.0, height() / 2.0);
    switch (event->key()) {
    case Qt::Key_Left:
        panBy({-kKeyPanPixels, 0});
        break;
    case Qt::Key_Right:
        panBy({kKeyPanPixels, 0});
        break;
    case Qt::Key_Up:
        panBy({0, -kKeyPanPixels});
        break;
    case Qt::Key_Down:
        panBy({0, kKeyPanPixels});
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomAround(m_zoom + 1, middle);
        break;
    case Qt::Key_Minus:
        zoomAround(m_zoom - 1, middle);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
}

QMenu *MapWidget::createContextMenu(QPointF at)
{
    const Geo::GeoPoint p = positionAt(at);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuKarte"));
    menu->addAction(QStringLiteral("Position kopieren"), this, [this, p] { copyPosition(p); });
    menu->addAction(QStringLiteral("In OpenStreetMap öffnen"), this, [this, p] {
        if (openUrl)
            openUrl(openStreetMapUrl(p));
    });
    return menu;
}

void MapWidget::contextMenuEvent(QContextMenuEvent *event)
{
    std::unique_ptr<QMenu> menu(createContextMenu(event->pos()));
    menu->exec(event->globalPos());
}

void MapWidget::copyPosition(Geo::GeoPoint p)
{
    QGuiApplication::clipboard()->setText(positionText(p));
}
