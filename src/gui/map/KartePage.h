#pragma once

#include <QGroupBox>

class QLineEdit;
class QSpinBox;
struct KartenSettings;

// The "Karte" page of the settings window: where the map's tiles come from and how much disk
// their cache may take.
class KartePage : public QGroupBox
{
public:
    explicit KartePage(QWidget *parent = nullptr);

    void load(const KartenSettings &settings);
    // Throws QuarvelError for an address that cannot serve tiles; then nothing is changed.
    void store(KartenSettings &settings) const;

    QLineEdit *edtKacheladresse = nullptr;
    QSpinBox *seKachelCache = nullptr; // megabytes
    QLineEdit *edtKachelOrdner = nullptr; // where the cache lies, with its whole path
};
