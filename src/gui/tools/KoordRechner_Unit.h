#pragma once

#include "logic/map/MapShapes.h"

#include <QEvent>
#include <QWidget>

class QComboBox;
class QPushButton;
class QTabWidget;
class RechnerFormatePage;
class RechnerLoxodromePage;
class RechnerMittePage;
class RechnerPage;
class RechnerPeilungPage;
class RechnerProjektionPage;
class RechnerRueckwaertsPage;
class RechnerSchnittPage;
class RechnerSchwerpunktPage;
class RechnerTeilungPage;
struct AppContext;

// The coordinate calculator: one page per task (formats, projection, distance and bearing,
// midpoints, intersections, centroid and antipode, rhumb lines, resection, division and
// offsets), all on the WGS84 ellipsoid. Not modal; created once at start-up
// and only hidden when closed, so every page keeps what the user typed while the program runs.
// The units chosen at the top apply to every page.
class TfrmKoordRechner : public QWidget
{
public:
    explicit TfrmKoordRechner(AppContext &context, QWidget *parent = nullptr);

    QComboBox *cboxEinheit = nullptr; // m, km, ft, yd, mi, NM
    QComboBox *cboxWinkel = nullptr; // Grad, Gon
    QTabWidget *pcRechner = nullptr;
    RechnerFormatePage *tsFormate = nullptr;
    RechnerProjektionPage *tsProjektion = nullptr;
    RechnerPeilungPage *tsPeilung = nullptr;
    RechnerMittePage *tsMitte = nullptr;
    RechnerSchnittPage *tsSchnitt = nullptr;
    RechnerSchwerpunktPage *tsSchwerpunkt = nullptr;
    RechnerLoxodromePage *tsLoxodrome = nullptr;
    RechnerRueckwaertsPage *tsRueckwaerts = nullptr;
    RechnerTeilungPage *tsTeilung = nullptr;
    QPushButton *btnKarte = nullptr; // shows the current page on the map

    // The current page's positions, lines and circles as a map layer.
    Map::Layer kartenLayer() const;

protected:
    // The home coordinates may have changed in Einstellungen while this window stayed open.
    bool event(QEvent *event) override;

private:
    void addConstructionPages();
    void cboxEinheitChange();
    void setHomeReference();
    void btnKarteClick();

    AppContext &m_context;
    QList<RechnerPage *> m_pages;
};
