#pragma once

#include "gui/tools/rechner/RechnerPage.h"

class QComboBox;
class QPushButton;
class QLayout;
class QSpinBox;

// The pages of the coordinate calculator, one class per task. Control names are the object
// names tests find them by.

// One position in every notation, each with a button that copies it.
class RechnerFormatePage : public RechnerPage
{
public:
    explicit RechnerFormatePage(QWidget *parent = nullptr);

    QLineEdit *edtPosition = nullptr;
    QSpinBox *speMaidenhead = nullptr; // characters of the locator
    QSpinBox *speGeohash = nullptr;
    QSpinBox *spePlusCode = nullptr; // digits of the Plus Code
    QList<QLineEdit *> edtFormat; // in the order of Geo::allFormats
    QList<QPushButton *> btnKopieren;

protected:
    void compute() override;

private:
    QSpinBox *addLength(QLayout *row, const QString &caption, const char *name, int low, int high,
                        int value, int step);
};

// Projection (point, bearing, distance: target) and reverse projection (point and target: the
// bearing and distance a projection from the target needs to come back to the point).
class RechnerProjektionPage : public RechnerPage
{
public:
    explicit RechnerProjektionPage(QWidget *parent = nullptr);

    QLineEdit *edtStart = nullptr;
    QLineEdit *edtPeilung = nullptr;
    QLineEdit *edtEntfernung = nullptr;
    QLineEdit *edtZiel = nullptr;
    QLineEdit *edtRueckPunkt = nullptr;
    QLineEdit *edtRueckZiel = nullptr;
    QLineEdit *edtRueckPeilung = nullptr;
    QLineEdit *edtRueckEntfernung = nullptr;

    void addToMap(Map::Layer &layer) override;

protected:
    void compute() override;
};

// Distance with initial and final bearing between two points.
class RechnerPeilungPage : public RechnerPage
{
public:
    explicit RechnerPeilungPage(QWidget *parent = nullptr);

    QLineEdit *edtVon = nullptr;
    QLineEdit *edtNach = nullptr;
    QLineEdit *edtDistanz = nullptr;
    QLineEdit *edtAnfangsPeilung = nullptr;
    QLineEdit *edtEndPeilung = nullptr;

    void addToMap(Map::Layer &layer) override;

protected:
    void compute() override;
};

// Midpoint of two points and the centre equally far from three.
class RechnerMittePage : public RechnerPage
{
public:
    explicit RechnerMittePage(QWidget *parent = nullptr);

    QLineEdit *edtPunktA = nullptr;
    QLineEdit *edtPunktB = nullptr;
    QLineEdit *edtMitte = nullptr;
    QLineEdit *edtDrei[3] = {};
    QLineEdit *edtZentrum = nullptr;
    QLineEdit *edtZentrumAbstand = nullptr;

protected:
    void compute() override;

private:
    QLabel *m_threeMessage = nullptr;
};

// Intersections: two bearing lines, a bearing line and a circle, two circles, three circles.
class RechnerSchnittPage : public RechnerPage
{
public:
    explicit RechnerSchnittPage(QWidget *parent = nullptr);

    QComboBox *cboxArt = nullptr;
    QLineEdit *edtPunkt[3] = {};
    QLineEdit *edtWert[3] = {}; // bearing or radius, as the kind asks
    QLineEdit *edtSchnitt1 = nullptr;
    QLineEdit *edtSchnitt2 = nullptr;
    QLineEdit *edtSchnittInfo = nullptr;

    void addToMap(Map::Layer &layer) override;

protected:
    void compute() override;

private:
    void cboxArtChange();
    bool isBearing(int row) const;

    QLabel *m_valueCaption[3] = {};
    QLabel *m_pointCaption[3] = {};
};
