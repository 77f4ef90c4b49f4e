#pragma once

#include "image/ImageFrames.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// What the picture views start from: the decoded picture, the frames of an animation and the
// second picture of a comparison (each may be missing).
struct ViewSource
{
    QImage bild;
    QList<ImageAnalysis::Frame> einzelbilder;
    QImage zweitesBild;
};

// The row above the picture that chooses how it is shown: as it is, one channel, one bit plane
// of a channel, levels, inverted, one colour isolated, one frame of an animation, or the
// difference to a second picture; beside the choice only the settings that belong to it.
class ViewChooser : public QWidget
{
public:
    enum View {
        Original,
        Kanal,
        Bitebene,
        Tonwerte,
        Invertiert,
        FarbeIsolieren,
        Einzelbild,
        Differenz
    };

    explicit ViewChooser(QWidget *parent = nullptr);

    // The picture to show; refuses (QuarvelError) settings that do not fit, e.g. an unreadable
    // colour. Writes what the view found (matches, differing pixels, a frame's time) beside it.
    QImage render(const ViewSource &source);

    View view() const;
    void setView(View view);
    void setFrameCount(int count);
    // The colour to isolate, e.g. from a click on the picture.
    void setColour(QRgb colour);

    std::function<void()> onChanged;
    std::function<void()> onSecondPictureWanted;

    QComboBox *cboxAnsicht = nullptr;
    QComboBox *cboxKanal = nullptr;
    QSpinBox *spinBit = nullptr;
    QSpinBox *spinSchwarz = nullptr;
    QSpinBox *spinWeiss = nullptr;
    QDoubleSpinBox *spinGamma = nullptr;
    QLineEdit *edtFarbe = nullptr;
    QCheckBox *chkAlpha = nullptr;
    QSpinBox *spinBild = nullptr;
    QPushButton *btnZweitesBild = nullptr;
    QCheckBox *chkHervorheben = nullptr;
    QLabel *lblAnsicht = nullptr; // what the view found

private:
    void createControls();
    void showSettings();
    void changed();
    QRgb colour() const;

    QList<QWidget *> m_settings[Differenz + 1];
};
