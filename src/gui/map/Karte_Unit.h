#pragma once

#include "gui/map/BackgroundJob.h"
#include "logic/map/MapShapes.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class KarteEbenen;
class MapWidget;
class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QPushButton;
class TileLoader;
struct AppContext;

// "Karte": every position the program knows on a map — the home coordinates, the pages of the
// coordinate calculator, the candidates of a formula run and imported GPX files. Not modal,
// created once at start-up; its view and place are kept in the settings. Tiles are only asked
// for once the window is first shown.
class TfrmKarte : public QMainWindow
{
public:
    explicit TfrmKarte(AppContext &context, QWidget *parent = nullptr);
    ~TfrmKarte() override;

    // The calculator's page: replaces the earlier one and fits the view to it.
    void showRechner(const Map::Layer &layer);
    // The position a picture holds: replaces the earlier one and fits the view to it.
    void showBildPosition(const Map::Layer &layer);
    // A formula run's candidates and its filter circle (may be empty); a click on a candidate
    // calls `select` with its id.
    void showCandidates(const std::vector<Geo::GeoPoint> &points, const std::vector<quint64> &ids,
                        const Map::Layer &circle, std::function<void(quint64)> select);
    // Reads a GPX file into a layer of its own on a thread of its own, so a file of hundreds of
    // thousands of points leaves the window working; the layer appears when it is read. A
    // damaged file changes nothing on the map.
    void importGpx(const QString &path);
    bool importing() const { return m_import.running(); }
    // Writes what the map shows as GPX 1.1, waiting for it; returns the message of a failure,
    // empty on success. The menu's export writes on a thread of its own instead.
    QString exportGpx(const QString &path) const;
    bool exporting() const { return m_export.running(); }
    // Takes over a changed tile address or cache limit.
    void applySettings();

    MapWidget *mapKarte = nullptr;
    QAction *actGpxImportieren = nullptr;
    QAction *actGpxExportieren = nullptr;
    QAction *actSchliessen = nullptr;
    QComboBox *cboxNotation = nullptr;
    QLabel *lblPosition = nullptr;
    QPushButton *btnExportAbbrechen = nullptr; // shown while an export runs
    QDockWidget *dockEbenen = nullptr;
    KarteEbenen *pnlEbenen = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void createMenus();
    void createStatusBar();
    void createLayerList();
    void readSettings();
    void checkTileAddress();
    void startExport(const QString &path);
    Map::GpxData shownLayers() const;
    void keepView();
    void keepGeometry();
    void showHome();
    void actGpxImportierenExecute();
    void actGpxExportierenExecute();
    void cboxNotationChange();
    void mapKarteCursorMoved(Geo::GeoPoint p);
    void openInBrowser(const QString &url);
    void bringToFront();

    AppContext &m_context;
    std::unique_ptr<TileLoader> m_loader;
    std::vector<Geo::GeoPoint> m_candidates;
    std::function<void(quint64)> m_select;
    bool m_offlineSaid = false;
    bool m_exportCancelled = false;
    BackgroundJob m_import;
    BackgroundJob m_export;
};
