#pragma once

#include "logic/map/MapShapes.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class MapWidget;
class QAction;
class QComboBox;
class QLabel;
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
    // A formula run's candidates and its filter circle (may be empty); a click on a candidate
    // calls `select` with its id.
    void showCandidates(const std::vector<Geo::GeoPoint> &points, const std::vector<quint64> &ids,
                        const Map::Layer &circle, std::function<void(quint64)> select);
    // Reads a GPX file into a layer of its own; a damaged file changes nothing on the map.
    void importGpx(const QString &path);
    // Writes what the map shows as GPX 1.1; returns the message of a failure, empty on success.
    QString exportGpx(const QString &path) const;
    // Takes over a changed tile address or cache limit.
    void applySettings();

    MapWidget *mapKarte = nullptr;
    QAction *actGpxImportieren = nullptr;
    QAction *actGpxExportieren = nullptr;
    QAction *actSchliessen = nullptr;
    QComboBox *cboxNotation = nullptr;
    QLabel *lblPosition = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void createMenus();
    void createStatusBar();
    void readSettings();
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
};
