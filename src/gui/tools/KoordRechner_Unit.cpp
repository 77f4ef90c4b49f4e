#include "gui/tools/KoordRechner_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/map/Karte_Unit.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/WidgetStyle.h"
#include "gui/tools/rechner/RechnerPages.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoUnits.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

TfrmKoordRechner::TfrmKoordRechner(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmKoordRechner"));
    setWindowTitle(QStringLiteral("Koordinatenrechner"));

    cboxEinheit = named(new QComboBox(this), "cboxEinheit");
    cboxEinheit->addItems(Geo::distanceUnitNames());
    cboxWinkel = named(new QComboBox(this), "cboxWinkel");
    cboxWinkel->addItems(Geo::angleUnitNames());
    auto *units = new QHBoxLayout;
    units->addWidget(new QLabel(QStringLiteral("Entfernungen in:"), this));
    units->addWidget(cboxEinheit);
    units->addSpacing(20);
    units->addWidget(new QLabel(QStringLiteral("Peilungen in:"), this));
    units->addWidget(cboxWinkel);
    units->addStretch(1);
    units->addWidget(new QLabel(QStringLiteral("Rechnung auf dem WGS84-Ellipsoid"), this));
    btnKarte = named(new QPushButton(QStringLiteral("Karte"), this), "btnKarte");
    btnKarte->setToolTip(
        QStringLiteral("Eingaben und Ergebnisse dieser Seite auf der Karte zeigen"));
    units->addWidget(btnKarte);

    pcRechner = named(new QTabWidget(this), "pcRechner");
    tsFormate = named(new RechnerFormatePage(pcRechner), "tsFormate");
    tsProjektion = named(new RechnerProjektionPage(pcRechner), "tsProjektion");
    tsPeilung = named(new RechnerPeilungPage(pcRechner), "tsPeilung");
    tsMitte = named(new RechnerMittePage(pcRechner), "tsMitte");
    tsSchnitt = named(new RechnerSchnittPage(pcRechner), "tsSchnitt");
    pcRechner->addTab(tsFormate, QStringLiteral("Formate"));
    pcRechner->addTab(tsProjektion, QStringLiteral("Projektion"));
    pcRechner->addTab(tsPeilung, QStringLiteral("Entfernung und Peilung"));
    pcRechner->addTab(tsMitte, QStringLiteral("Mittelpunkt"));
    pcRechner->addTab(tsSchnitt, QStringLiteral("Schnittpunkte"));
    m_pages = {tsFormate, tsProjektion, tsPeilung, tsMitte, tsSchnitt};
    addConstructionPages();
    setHomeReference();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(units);
    layout->addWidget(pcRechner, 1);

    resize(1000, 560);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(cboxEinheit, &QComboBox::currentIndexChanged, this, [this] { cboxEinheitChange(); });
    connect(cboxWinkel, &QComboBox::currentIndexChanged, this, [this] { cboxEinheitChange(); });
    connect(btnKarte, &QPushButton::clicked, this,
            [this] { guarded(m_context.dialogs, this, [this] { btnKarteClick(); }); });
}

void TfrmKoordRechner::addConstructionPages()
{
    tsSchwerpunkt = named(new RechnerSchwerpunktPage(pcRechner), "tsSchwerpunkt");
    tsLoxodrome = named(new RechnerLoxodromePage(pcRechner), "tsLoxodrome");
    tsRueckwaerts = named(new RechnerRueckwaertsPage(pcRechner), "tsRueckwaerts");
    tsTeilung = named(new RechnerTeilungPage(pcRechner), "tsTeilung");
    pcRechner->addTab(tsSchwerpunkt, QStringLiteral("Schwerpunkt"));
    pcRechner->addTab(tsLoxodrome, QStringLiteral("Loxodrome"));
    pcRechner->addTab(tsRueckwaerts, QStringLiteral("Rückwärtsschnitt"));
    pcRechner->addTab(tsTeilung, QStringLiteral("Teilung und Versatz"));
    m_pages.append({tsSchwerpunkt, tsLoxodrome, tsRueckwaerts, tsTeilung});
}

Map::Layer TfrmKoordRechner::kartenLayer() const
{
    Map::Layer layer;
    layer.name = pcRechner->tabText(pcRechner->currentIndex());
    if (auto *page = dynamic_cast<RechnerPage *>(pcRechner->currentWidget()))
        page->addToMap(layer);
    return layer;
}

void TfrmKoordRechner::btnKarteClick()
{
    const Map::Layer layer = kartenLayer();
    if (layer.isEmpty())
        throw QuarvelError(QStringLiteral("Auf dieser Seite steht noch keine Position"));
    if (auto *karte = dynamic_cast<TfrmKarte *>(m_context.windows.karte.get()))
        karte->showRechner(layer);
}

void TfrmKoordRechner::cboxEinheitChange()
{
    const auto distance = Geo::DistanceUnit(std::max(0, cboxEinheit->currentIndex()));
    const auto angle = Geo::AngleUnit(std::max(0, cboxWinkel->currentIndex()));
    for (RechnerPage *page : m_pages)
        page->setUnits(distance, angle);
}

bool TfrmKoordRechner::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        setHomeReference();
    return QWidget::event(event);
}

void TfrmKoordRechner::setHomeReference()
{
    // Short Plus Codes are recovered near the home coordinates; home coordinates that are no
    // position leave the default N 0° E 0°, and the code's field says where it was placed.
    Geo::GeoPoint home;
    try {
        home = Geo::readAnyPosition(m_context.globals.settings.HomeKoordinaten).point;
    } catch (const QuarvelError &) {
    }
    for (RechnerPage *page : m_pages)
        page->setReference(home);
}
