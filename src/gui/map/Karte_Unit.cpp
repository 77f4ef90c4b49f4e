#include "gui/map/Karte_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/map/KarteEbenen.h"
#include "gui/map/MapWidget.h"
#include "gui/map/TileLoader.h"
#include "gui/support/Dialogs.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/ScreenFit.h"
#include "gui/support/WidgetStyle.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/PipeWrite.h"
#include "logic/common/QuarvelError.h"
#include "logic/common/SafeWrite.h"
#include "logic/geo/GeoRead.h"
#include "logic/map/TileMath.h"
#include "platform/Launcher.h"

#include <QBuffer>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

const QString kHomeLayer = QStringLiteral("Home");
const QString kRechnerLayer = QStringLiteral("Koordinatenrechner");
const QString kCircleLayer = QStringLiteral("Umkreis");
const QString kBildLayer = QStringLiteral("Bildanalyse");
const QString kGpxPrefix = QStringLiteral("GPX: ");

const QColor kHomeColour(0x1A, 0x7F, 0x37);
const QColor kRechnerColour(0x1F, 0x4E, 0xB4);
const QColor kCircleColour(0xC0, 0x1C, 0x28);
const QColor kGpxColour(0x8E, 0x2D, 0xA8);

// A pipe whose reader takes nothing for this long ends the export with a message; the user can
// cancel before.
constexpr int kPipeStallMs = 20000;

struct ImportResult
{
    Map::Layer layer;
    QString status;
    QString error;
};

ImportResult readGpxLayer(const QString &path)
{
    ImportResult result;
    try {
        const Map::GpxData data = Map::readGpxFile(path);
        if (data.isEmpty())
            throw QuarvelError(
                QStringLiteral("%1 enthält keine Wegpunkte, Routen oder Tracks").arg(path));
        const QString fileName = QFileInfo(path).fileName();
        result.layer = Map::gpxLayer(data, kGpxPrefix + fileName);
        result.status = QStringLiteral("%1: %2 Wegpunkte, %3 Routen, %4 Tracks")
                            .arg(fileName)
                            .arg(data.waypoints.size())
                            .arg(data.routes.size())
                            .arg(data.tracks.size());
    } catch (const QuarvelError &error) {
        result.error = error.message();
    } catch (const std::exception &error) {
        result.error = QString::fromLocal8Bit(error.what());
    }
    return result;
}

// What the map shows as GPX: the layers shown, then the candidates of a formula run.
Map::GpxData exportData(Map::GpxData data, const std::vector<Geo::GeoPoint> &candidates)
{
    for (size_t i = 0; i < candidates.size(); ++i)
        data.waypoints.append({QStringLiteral("Kandidat %1").arg(i + 1),
                               candidates[i],
                               std::nullopt,
                               QStringLiteral("Variable Koordinaten"),
                               {}});
    return data;
}

// A pipe or a device is written without blocking and can be cancelled; a file whole or not.
QString writeExport(const QString &path, const Map::GpxData &data, const std::atomic<bool> &cancel)
{
    if (!isOtherThanPlainFile(path))
        return writeFileSafely(path,
                               [&](QIODevice &device) { return Map::writeGpx(device, data); });
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Map::writeGpx(buffer, data);
    return writeToPipe(path, bytes, cancel, kPipeStallMs);
}

} // namespace

TfrmKarte::TfrmKarte(AppContext &context, QWidget *parent)
    : QMainWindow(parent, Qt::Window)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmKarte"));
    setWindowTitle(QStringLiteral("Karte"));
    setAttribute(Qt::WA_QuitOnClose, false);
    mapKarte = new MapWidget(this);
    setCentralWidget(mapKarte);
    createMenus();
    createStatusBar();
    createLayerList();
    readSettings();
    checkTileAddress();
    showHome();
    mapKarte->cursorMoved = [this](Geo::GeoPoint p) { mapKarteCursorMoved(p); };
    mapKarte->viewChanged = [this] { keepView(); };
    mapKarte->openUrl = [this](const QString &url) {
        guarded(m_context.dialogs, this, [&] { openInBrowser(url); });
    };
    mapKarte->candidateClicked = [this](quint64 id) {
        if (m_select)
            guarded(m_context.dialogs, this, [&] { m_select(id); });
    };
}

TfrmKarte::~TfrmKarte()
{
    mapKarte->setTileLoader(nullptr);
}

void TfrmKarte::createMenus()
{
    auto action = [this](const char *name, const QString &caption, void (TfrmKarte::*handler)()) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this,
                [this, handler] { guarded(m_context.dialogs, this, [&] { (this->*handler)(); }); });
        return a;
    };
    actGpxImportieren = action("actGpxImportieren", QStringLiteral("GPX &importieren ..."),
                               &TfrmKarte::actGpxImportierenExecute);
    actGpxExportieren = action("actGpxExportieren", QStringLiteral("GPX &exportieren ..."),
                               &TfrmKarte::actGpxExportierenExecute);
    actSchliessen = new QAction(QStringLiteral("&Schließen"), this);
    actSchliessen->setObjectName(QStringLiteral("actSchliessen"));
    connect(actSchliessen, &QAction::triggered, this, [this] { close(); });
    QMenu *datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    datei->addActions({actGpxImportieren, actGpxExportieren});
    datei->addSeparator();
    datei->addAction(actSchliessen);
}

void TfrmKarte::createStatusBar()
{
    lblPosition = named(new QLabel(this), "lblPosition");
    lblPosition->setMinimumWidth(320);
    cboxNotation = named(new QComboBox(this), "cboxNotation");
    cboxNotation->addItems({QStringLiteral("Grad °"), QStringLiteral("Grad °  Minuten '"),
                            QStringLiteral("Grad °  Minuten '  Sekunden ''")});
    btnExportAbbrechen =
        named(new QPushButton(QStringLiteral("Export &abbrechen"), this), "btnExportAbbrechen");
    btnExportAbbrechen->hide();
    connect(btnExportAbbrechen, &QPushButton::clicked, this, [this] {
        m_exportCancelled = true;
        m_export.cancel();
    });
    statusBar()->addPermanentWidget(btnExportAbbrechen);
    statusBar()->addPermanentWidget(lblPosition);
    statusBar()->addPermanentWidget(cboxNotation);
    connect(cboxNotation, &QComboBox::currentIndexChanged, this,
            [this] { guarded(m_context.dialogs, this, [&] { cboxNotationChange(); }); });
}

void TfrmKarte::createLayerList()
{
    pnlEbenen = new KarteEbenen(mapKarte, this);
    dockEbenen = named(new QDockWidget(QStringLiteral("Ebenen"), this), "dockEbenen");
    dockEbenen->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dockEbenen->setWidget(pnlEbenen);
    addDockWidget(Qt::RightDockWidgetArea, dockEbenen);
}

void TfrmKarte::readSettings()
{
    const KartenSettings &k = m_context.globals.settings.Karte;
    cboxNotation->setCurrentIndex(k.Notation);
    mapKarte->setNotation(k.Notation);
    mapKarte->setView({k.Breite, k.Laenge}, k.Zoom);
    resize(1000, 680);
    // A stored place is fitted to the screens before it is applied: a size of 32767 would
    // take seconds and gigabytes to paint, a place far off every screen could not be reached.
    if (k.Left && k.Top && k.Width && k.Height && *k.Width > 200 && *k.Height > 150)
        setGeometry(ScreenFit::fitFrame(QRect(*k.Left, *k.Top, *k.Width, *k.Height),
                                        ScreenFit::availableAreas(), ScreenFit::primaryArea()));
    ScreenFit::keepOnScreen(this);
}

void TfrmKarte::checkTileAddress()
{
    // The store file can be edited by hand: a file address naming a pipe would block the
    // window while it paints. Only what the settings page would take is used.
    KartenSettings &k = m_context.globals.settings.Karte;
    try {
        Map::checkTilePattern(k.Kacheladresse);
    } catch (const QuarvelError &error) {
        k.Kacheladresse = KartenSettings().Kacheladresse;
        statusBar()->showMessage(
            QStringLiteral("Gespeicherte Kachel-Adresse nicht verwendet: %1. Es gilt die "
                           "Standardadresse.")
                .arg(error.message()));
    }
}
void TfrmKarte::keepView()
{
    KartenSettings &k = m_context.globals.settings.Karte;
    const Geo::GeoPoint centre = mapKarte->centre();
    k.Breite = centre.lat;
    k.Laenge = centre.lon;
    k.Zoom = mapKarte->zoom();
}

void TfrmKarte::keepGeometry()
{
    KartenSettings &k = m_context.globals.settings.Karte;
    const QRect g = geometry();
    k.Left = g.left();
    k.Top = g.top();
    k.Width = g.width();
    k.Height = g.height();
}

void TfrmKarte::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_loader) {
        const KartenSettings &k = m_context.globals.settings.Karte;
        m_loader = std::make_unique<TileLoader>(
            k.Kacheladresse, tileCacheDirectory(), qint64(k.KachelCacheMB) << 20,
            QStringLiteral("Quarvel/%1 (Geocaching-Werkzeugkasten)")
                .arg(m_context.globals.LokaleVersion));
        mapKarte->setTileLoader(m_loader.get());
        const std::function<void()> repaint = m_loader->changed;
        m_loader->changed = [this, repaint] {
            repaint();
            if (m_loader->offline() && !m_offlineSaid) {
                m_offlineSaid = true;
                statusBar()->showMessage(MapWidget::kOfflineText);
            }
        };
    }
    showHome();
}

void TfrmKarte::hideEvent(QHideEvent *event)
{
    keepGeometry();
    QMainWindow::hideEvent(event);
}

void TfrmKarte::applySettings()
{
    const KartenSettings &k = m_context.globals.settings.Karte;
    if (m_loader) {
        checkTileAddress();
        m_loader->setPattern(k.Kacheladresse);
        m_loader->setCacheLimit(qint64(k.KachelCacheMB) << 20);
        m_offlineSaid = false;
    }
    showHome();
}

void TfrmKarte::showHome()
{
    Map::Layer home;
    home.name = kHomeLayer;
    try {
        const Geo::GeoPoint point = Geo::readPosition(m_context.globals.settings.HomeKoordinaten);
        // N 0° E 0° is the setting never set, not a home in the Gulf of Guinea.
        if (point.lat != 0 || point.lon != 0)
            home.markers.append({point, QStringLiteral("Home")});
    } catch (const QuarvelError &) {
        // Home coordinates that cannot be read are simply not drawn.
    }
    mapKarte->setLayer(home, kHomeColour);
}

void TfrmKarte::bringToFront()
{
    show();
    raise();
    activateWindow();
}

void TfrmKarte::showRechner(const Map::Layer &layer)
{
    Map::Layer named = layer;
    named.name = kRechnerLayer;
    mapKarte->setLayer(named, kRechnerColour);
    bringToFront();
    mapKarte->fitTo(Map::positionsOf(named));
}

void TfrmKarte::showBildPosition(const Map::Layer &layer)
{
    Map::Layer named = layer;
    named.name = kBildLayer;
    mapKarte->setLayer(named, kCircleColour);
    bringToFront();
    mapKarte->fitTo(Map::positionsOf(named));
}

void TfrmKarte::showCandidates(const std::vector<Geo::GeoPoint> &points,
                               const std::vector<quint64> &ids, const Map::Layer &circle,
                               std::function<void(quint64)> select)
{
    m_candidates = points;
    m_select = std::move(select);
    mapKarte->setCandidates(points, ids);
    Map::Layer named = circle;
    named.name = kCircleLayer;
    mapKarte->setLayer(named, kCircleColour);
    bringToFront();
    QList<Geo::GeoPoint> all = Map::positionsOf(named);
    all.append(QList<Geo::GeoPoint>(points.begin(), points.end()));
    mapKarte->fitTo(all);
}

void TfrmKarte::importGpx(const QString &path)
{
    if (m_import.running())
        throw QuarvelError(QStringLiteral("Es wird noch eine GPX-Datei gelesen"));
    actGpxImportieren->setEnabled(false);
    statusBar()->showMessage(QStringLiteral("%1 wird gelesen ...").arg(path));
    m_import.start<ImportResult>(
        this, [path](const std::atomic<bool> &) { return readGpxLayer(path); },
        [this](const ImportResult &result) {
            actGpxImportieren->setEnabled(true);
            statusBar()->clearMessage();
            guarded(m_context.dialogs, this, [&] {
                if (!result.error.isEmpty())
                    throw QuarvelError(result.error);
                mapKarte->setLayer(result.layer, kGpxColour);
                mapKarte->fitTo(Map::positionsOf(result.layer));
                statusBar()->showMessage(result.status);
            });
        });
}

Map::GpxData TfrmKarte::shownLayers() const
{
    Map::GpxData shown;
    for (const Map::Layer &layer : mapKarte->layers()) {
        if (!mapKarte->layerVisible(layer.name))
            continue;
        const Map::GpxData part = Map::layerAsGpx(layer);
        shown.waypoints.append(part.waypoints);
        shown.routes.append(part.routes);
        shown.tracks.append(part.tracks);
    }
    return shown;
}

QString TfrmKarte::exportGpx(const QString &path) const
{
    const Map::GpxData shown = shownLayers();
    const std::atomic<bool> never {false};
    return writeExport(path, exportData(shown, m_candidates), never);
}

void TfrmKarte::startExport(const QString &path)
{
    const Map::GpxData shown = shownLayers();
    actGpxExportieren->setEnabled(false);
    btnExportAbbrechen->show();
    m_exportCancelled = false;
    statusBar()->showMessage(QStringLiteral("%1 wird geschrieben ...").arg(path));
    m_export.start<QString>(
        this,
        [path, shown, candidates = m_candidates](const std::atomic<bool> &cancel) {
            return writeExport(path, exportData(shown, candidates), cancel);
        },
        [this](const QString &failure) {
            actGpxExportieren->setEnabled(true);
            btnExportAbbrechen->hide();
            statusBar()->clearMessage();
            if (m_exportCancelled) {
                statusBar()->showMessage(QStringLiteral("GPX-Export abgebrochen"));
                return;
            }
            guarded(m_context.dialogs, this, [&] {
                if (!failure.isEmpty())
                    throw QuarvelError(failure);
                statusBar()->showMessage(QStringLiteral("GPX exportiert"));
            });
        });
}

void TfrmKarte::actGpxImportierenExecute()
{
    const QString path = m_context.dialogs.openFileName(
        this,
        {QStringLiteral("GPX importieren"), m_context.globals.BenutzerPfad, QString(),
         QStringLiteral("GPX-Dateien (*.gpx);;Alle Dateien (*)"), QStringLiteral("gpx")});
    if (!path.isEmpty())
        importGpx(path);
}

void TfrmKarte::actGpxExportierenExecute()
{
    const QString path = m_context.dialogs.saveFileName(
        this,
        {QStringLiteral("GPX exportieren"), m_context.globals.BenutzerPfad,
         QStringLiteral("Karte.gpx"), QStringLiteral("GPX-Dateien (*.gpx)"),
         QStringLiteral("gpx")});
    if (!path.isEmpty())
        startExport(path);
}

void TfrmKarte::cboxNotationChange()
{
    const int notation = std::max(0, cboxNotation->currentIndex());
    m_context.globals.settings.Karte.Notation = notation;
    mapKarte->setNotation(notation);
}

void TfrmKarte::mapKarteCursorMoved(Geo::GeoPoint p)
{
    lblPosition->setText(mapKarte->positionText(p));
}

void TfrmKarte::openInBrowser(const QString &url)
{
    const int result = m_context.launcher.open(url, QString(), QString());
    if (result <= 32)
        throw QuarvelError(
            QStringLiteral("Der Browser konnte nicht geöffnet werden (%1)").arg(url));
}
