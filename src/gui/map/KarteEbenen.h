#pragma once

#include <QWidget>

class MapWidget;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The map's layers as a list: a tick shows or hides a layer, "Entfernen" takes the chosen one
// off the map. Follows the map whenever its layers change.
class KarteEbenen : public QWidget
{
public:
    KarteEbenen(MapWidget *map, QWidget *parent = nullptr);

    QListWidget *lstEbenen = nullptr;
    QPushButton *btnEbeneEntfernen = nullptr;

private:
    void refresh();
    void lstEbenenItemChanged(QListWidgetItem *item);
    void btnEbeneEntfernenClick();

    MapWidget *m_map = nullptr;
    bool m_refreshing = false;
};
