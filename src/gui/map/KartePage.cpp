#include "gui/map/KartePage.h"

#include "gui/map/TileLoader.h"
#include "gui/support/WidgetStyle.h"
#include "logic/map/TileMath.h"
#include "logic/settings/Settings.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

KartePage::KartePage(QWidget *parent)
    : QGroupBox(QStringLiteral(" Karte "), parent)
{
    setObjectName(QStringLiteral("gboxKarte"));
    edtKacheladresse = named(new QLineEdit(this), "edtKacheladresse");
    edtKacheladresse->setPlaceholderText(KartenSettings().Kacheladresse);
    // Wide enough for the default address whole; longer ones scroll inside the field.
    edtKacheladresse->setMinimumWidth(
        edtKacheladresse->fontMetrics().horizontalAdvance(KartenSettings().Kacheladresse) + 16);
    edtKachelOrdner = named(new QLineEdit(tileCacheDirectory(), this), "edtKachelOrdner");
    edtKachelOrdner->setReadOnly(true);
    edtKachelOrdner->setToolTip(edtKachelOrdner->text());
    seKachelCache = named(new QSpinBox(this), "seKachelCache");
    seKachelCache->setRange(10, 10000);
    seKachelCache->setSuffix(QStringLiteral(" MB"));
    auto *hint = new QLabel(
        QStringLiteral("{z}, {x} und {y} stehen für Zoomstufe, Spalte und Zeile der Kachel. Die "
                       "Kacheln werden im Cache-Ordner mindestens 7 Tage aufbewahrt; wird der "
                       "Cache zu groß, fallen die ältesten zuerst weg."),
        this);
    hint->setWordWrap(true);
    // The address and the folder each on a line of their own, the whole width of the page.
    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Kachel-Adresse:"), this), 0, 0, 1, 2);
    layout->addWidget(edtKacheladresse, 1, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Größe des Kachel-Caches:"), this), 2, 0);
    layout->addWidget(seKachelCache, 2, 1, Qt::AlignLeft);
    layout->addWidget(new QLabel(QStringLiteral("Cache-Ordner:"), this), 3, 0, 1, 2);
    layout->addWidget(edtKachelOrdner, 4, 0, 1, 2);
    layout->addWidget(hint, 5, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(6, 1);
}

void KartePage::load(const KartenSettings &settings)
{
    edtKacheladresse->setText(settings.Kacheladresse);
    seKachelCache->setValue(settings.KachelCacheMB);
}

void KartePage::store(KartenSettings &settings) const
{
    QString address = edtKacheladresse->text().trimmed();
    if (address.isEmpty())
        address = KartenSettings().Kacheladresse;
    Map::checkTilePattern(address);
    settings.Kacheladresse = address;
    settings.KachelCacheMB = seKachelCache->value();
}
