#pragma once

#include "image/LsbExtraction.h"

#include <QImage>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

// The page that reads a message from the low bits: which channels in which order, which bit,
// the bit order within a byte, and rows or columns; the bytes read are shown as text.
class LsbPage : public QWidget
{
public:
    // At most this many bytes are shown; a whole 24-megapixel picture gives 9 MB.
    static constexpr int kShownBytes = 100000;

    explicit LsbPage(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    // The options as the controls set them.
    ImageAnalysis::LsbOptions options() const;
    // Reads the bits and shows them; refuses (QuarvelError) without a picture or with an
    // unknown channel, and passes on what the extraction refuses.
    void extract();

    QLineEdit *edtKanaele = nullptr;
    QSpinBox *spinLsbBit = nullptr;
    QComboBox *cboxBitfolge = nullptr;
    QComboBox *cboxRichtung = nullptr;
    QPushButton *btnLsbLesen = nullptr;
    QPlainTextEdit *memLsb = nullptr;
    QLabel *lblLsb = nullptr;

private:
    QImage m_image;
};
