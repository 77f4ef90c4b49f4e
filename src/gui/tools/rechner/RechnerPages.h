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
    QSpinBox *speKachelZoom = nullptr; // zoom of the tile, length of the quadkey
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

class QPlainTextEdit;

// Centre of gravity of several points (one per line), both ways with the method named, and the
// antipode of a point.
class RechnerSchwerpunktPage : public RechnerPage
{
public:
    explicit RechnerSchwerpunktPage(QWidget *parent = nullptr);

    QPlainTextEdit *memSchwerpunktPunkte = nullptr;
    QLineEdit *edtSchwerpunkt = nullptr;
    QLineEdit *edtMittelwert = nullptr;
    QLineEdit *edtAntipodePunkt = nullptr;
    QLineEdit *edtAntipode = nullptr;

protected:
    void compute() override;

private:
    QLabel *m_pointsMessage = nullptr;
};

// Rhumb lines: distance and course between two points, and the point on a course.
class RechnerLoxodromePage : public RechnerPage
{
public:
    explicit RechnerLoxodromePage(QWidget *parent = nullptr);

    QLineEdit *edtLoxVon = nullptr;
    QLineEdit *edtLoxNach = nullptr;
    QLineEdit *edtLoxEntfernung = nullptr;
    QLineEdit *edtLoxKurs = nullptr;
    QLineEdit *edtLoxStart = nullptr;
    QLineEdit *edtLoxKursEingabe = nullptr;
    QLineEdit *edtLoxDistanz = nullptr;
    QLineEdit *edtLoxZiel = nullptr;

protected:
    void compute() override;
};

// Resection from three known points and the two angles between them.
class RechnerRueckwaertsPage : public RechnerPage
{
public:
    explicit RechnerRueckwaertsPage(QWidget *parent = nullptr);

    QLineEdit *edtRwPunkt[3] = {};
    QLineEdit *edtWinkelAB = nullptr;
    QLineEdit *edtWinkelBC = nullptr;
    QLineEdit *edtStandpunkt = nullptr;
    QLineEdit *edtGefahrkreis = nullptr;

protected:
    void compute() override;
};

// Equal segments of a line, the equilateral triangle over it, and offsets north and east.
class RechnerTeilungPage : public RechnerPage
{
public:
    explicit RechnerTeilungPage(QWidget *parent = nullptr);

    QLineEdit *edtTeilVon = nullptr;
    QLineEdit *edtTeilNach = nullptr;
    QSpinBox *speTeile = nullptr;
    QPlainTextEdit *memTeilpunkte = nullptr;
    QLineEdit *edtDreieckLinks = nullptr;
    QLineEdit *edtDreieckRechts = nullptr;
    QLineEdit *edtVersatzStart = nullptr;
    QComboBox *cboxVersatzEinheit = nullptr; // Minuten, Meter
    QLineEdit *edtVersatzNord = nullptr;
    QLineEdit *edtVersatzOst = nullptr;
    QLineEdit *edtVersatzZiel = nullptr;

protected:
    void compute() override;

private:
    QLabel *m_offsetMessage = nullptr;
};
