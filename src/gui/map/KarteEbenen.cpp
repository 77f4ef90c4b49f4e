#include "gui/map/KarteEbenen.h"

#include "gui/map/MapWidget.h"
#include "gui/support/WidgetStyle.h"

#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

KarteEbenen::KarteEbenen(MapWidget *map, QWidget *parent)
    : QWidget(parent)
    , m_map(map)
{
    setObjectName(QStringLiteral("pnlEbenen"));
    lstEbenen = named(new QListWidget(this), "lstEbenen");
    btnEbeneEntfernen =
        named(new QPushButton(QStringLiteral("&Entfernen"), this), "btnEbeneEntfernen");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(lstEbenen);
    layout->addWidget(btnEbeneEntfernen);
    connect(lstEbenen, &QListWidget::itemChanged, this,
            [this](QListWidgetItem *item) { lstEbenenItemChanged(item); });
    connect(lstEbenen, &QListWidget::currentRowChanged, this,
            [this](int row) { btnEbeneEntfernen->setEnabled(row >= 0); });
    connect(btnEbeneEntfernen, &QPushButton::clicked, this, [this] { btnEbeneEntfernenClick(); });
    const std::function<void()> before = m_map->layersChanged;
    m_map->layersChanged = [this, before] {
        if (before)
            before();
        refresh();
    };
    refresh();
}

void KarteEbenen::refresh()
{
    m_refreshing = true;
    const QList<Map::Layer> &layers = m_map->layers();
    bool same = lstEbenen->count() == layers.size();
    for (int i = 0; same && i < lstEbenen->count(); ++i)
        same = lstEbenen->item(i)->text() == layers[i].name;
    // The same layers: only the ticks change, so an item is never deleted inside its own
    // change signal.
    if (!same) {
        const QString current =
            lstEbenen->currentItem() ? lstEbenen->currentItem()->text() : QString();
        lstEbenen->clear();
        for (const Map::Layer &layer : layers) {
            auto *item = new QListWidgetItem(layer.name, lstEbenen);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            if (layer.name == current)
                lstEbenen->setCurrentItem(item);
        }
    }
    for (int i = 0; i < lstEbenen->count(); ++i) {
        QListWidgetItem *item = lstEbenen->item(i);
        QPixmap swatch(12, 12);
        swatch.fill(m_map->layerColour(item->text()));
        item->setIcon(QIcon(swatch));
        item->setCheckState(m_map->layerVisible(item->text()) ? Qt::Checked : Qt::Unchecked);
    }
    btnEbeneEntfernen->setEnabled(lstEbenen->currentItem() != nullptr);
    m_refreshing = false;
}

void KarteEbenen::lstEbenenItemChanged(QListWidgetItem *item)
{
    if (!m_refreshing)
        m_map->setLayerVisible(item->text(), item->checkState() == Qt::Checked);
}

void KarteEbenen::btnEbeneEntfernenClick()
{
    if (const QListWidgetItem *item = lstEbenen->currentItem())
        m_map->removeLayer(item->text());
}
