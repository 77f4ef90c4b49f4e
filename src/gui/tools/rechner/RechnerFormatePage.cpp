#include "gui/tools/rechner/RechnerPages.h"

#include "gui/support/WidgetStyle.h"
#include "logic/geo/GeoCodes.h"
#include "logic/geo/GeoFormats.h"

#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

RechnerFormatePage::RechnerFormatePage(QWidget *parent)
    : RechnerPage(parent)
{
    auto *form = new QFormLayout(this);
    edtPosition = addInput(form, QStringLiteral("Position:"), "edtPosition",
                           QStringLiteral("z. B. N 52° 31,250 E 013° 24,713, JO62qm, 9F4MGCC2+4X"));
    auto *lengths = new QHBoxLayout;
    speMaidenhead = addLength(lengths, QStringLiteral("Maidenhead:"), "speMaidenhead",
                              Geo::kMaidenheadMin, Geo::kMaidenheadMax, Geo::kMaidenheadDefault, 2);
    speGeohash = addLength(lengths, QStringLiteral("Geohash:"), "speGeohash", Geo::kGeohashMin,
                           Geo::kGeohashMax, Geo::kGeohashDefault, 1);
    spePlusCode = addLength(lengths, QStringLiteral("Plus Code:"), "spePlusCode", Geo::kOlcMin,
                            Geo::kOlcMax, Geo::kOlcDefault, 1);
    speKachelZoom = addLength(lengths, QStringLiteral("Kachel-Zoom:"), "speKachelZoom",
                              Geo::kTileZoomMin, Geo::kTileZoomMax, Geo::kTileZoomDefault, 1);
    lengths->addStretch(1);
    form->addRow(QStringLiteral("Stellen:"), lengths);
    const QList<Geo::FormatLine> lines = Geo::allFormats({});
    for (int i = 0; i < lines.size(); ++i) {
        auto *edit = named(new QLineEdit(this), QStringLiteral("edtFormat%1").arg(i).toUtf8());
        edit->setReadOnly(true);
        setBold(edit);
        auto *copy = named(new QPushButton(QStringLiteral("Kopieren"), this),
                           QStringLiteral("btnKopieren%1").arg(i).toUtf8());
        copy->setEnabled(false);
        auto *row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(copy);
        form->addRow(lines[i].caption + u':', row);
        connect(copy, &QPushButton::clicked, this,
                [edit] { QGuiApplication::clipboard()->setText(edit->text()); });
        edtFormat.append(edit);
        btnKopieren.append(copy);
    }
    addResultMessage(form, "lblFormateMeldung");
    recompute();
}

QSpinBox *RechnerFormatePage::addLength(QLayout *row, const QString &caption, const char *name,
                                        int low, int high, int value, int step)
{
    auto *spin = named(new QSpinBox(this), name);
    spin->setRange(low, high);
    spin->setSingleStep(step);
    spin->setValue(value);
    row->addWidget(new QLabel(caption, this));
    row->addWidget(spin);
    connect(spin, &QSpinBox::valueChanged, this, [this] { recompute(); });
    return spin;
}

void RechnerFormatePage::compute()
{
    for (int i = 0; i < edtFormat.size(); ++i) {
        edtFormat[i]->clear();
        setTextColour(edtFormat[i], Qt::black);
        btnKopieren[i]->setEnabled(false);
    }
    const std::optional<Geo::GeoPoint> p = readPoint(edtPosition);
    if (!p)
        return;
    const QList<Geo::FormatLine> lines =
        Geo::allFormats(*p,
                        {speMaidenhead->value(), speGeohash->value(), spePlusCode->value(),
                         speKachelZoom->value()});
    for (int i = 0; i < lines.size(); ++i) {
        const bool ok = lines[i].error.isEmpty();
        edtFormat[i]->setText(ok ? lines[i].text : lines[i].error);
        setTextColour(edtFormat[i], ok ? QColor(Qt::black) : QColor(128, 128, 128));
        btnKopieren[i]->setEnabled(ok);
    }
}
