#include "gui/image/LsbPage.h"

#include "logic/common/QuarvelError.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

LsbPage::LsbPage(QWidget *parent)
    : QWidget(parent)
{
    edtKanaele = named(new QLineEdit(QStringLiteral("RGB"), this), "edtKanaele");
    edtKanaele->setMaxLength(4);
    edtKanaele->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[RGBArgba]{0,4}")), edtKanaele));
    edtKanaele->setToolTip(QStringLiteral("Die Kanäle in der Reihenfolge, in der sie je Pixel "
                                          "gelesen werden: R, G, B, A, z. B. RGB oder B"));
    spinLsbBit = named(new QSpinBox(this), "spinLsbBit");
    spinLsbBit->setRange(0, 7);
    cboxBitfolge = named(new QComboBox(this), "cboxBitfolge");
    cboxBitfolge->addItems(
        {QStringLiteral("höchstes Bit zuerst"), QStringLiteral("niedrigstes Bit zuerst")});
    cboxRichtung = named(new QComboBox(this), "cboxRichtung");
    cboxRichtung->addItems({QStringLiteral("zeilenweise"), QStringLiteral("spaltenweise")});
    btnLsbLesen = named(new QPushButton(QStringLiteral("Aus&lesen"), this), "btnLsbLesen");
    memLsb = named(new QPlainTextEdit(this), "memLsb");
    memLsb->setReadOnly(true);
    memLsb->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lblLsb = named(new QLabel(this), "lblLsb");
    lblLsb->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Kanäle:"), edtKanaele);
    form->addRow(QStringLiteral("&Bit:"), spinLsbBit);
    form->addRow(QStringLiteral("Bit&folge:"), cboxBitfolge);
    form->addRow(QStringLiteral("&Richtung:"), cboxRichtung);
    form->addRow(QString(), btnLsbLesen);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(memLsb, 1);
    layout->addWidget(lblLsb);
}

void LsbPage::setImage(const QImage &image)
{
    m_image = image;
    memLsb->clear();
    lblLsb->clear();
}

ImageAnalysis::LsbOptions LsbPage::options() const
{
    ImageAnalysis::LsbOptions options;
    options.kanaele = edtKanaele->text().toUpper();
    options.bit = spinLsbBit->value();
    options.hoechstesBitZuerst = cboxBitfolge->currentIndex() == 0;
    options.spaltenweise = cboxRichtung->currentIndex() == 1;
    return options;
}

void LsbPage::extract()
{
    if (m_image.isNull())
        throw QuarvelError(QStringLiteral("Öffnen Sie zuerst ein Bild."));
    const ImageAnalysis::LsbOptions chosen = options();
    if (chosen.kanaele.isEmpty())
        throw QuarvelError(QStringLiteral("Geben Sie mindestens einen Kanal an (R, G, B oder A)."));
    const QByteArray bytes = ImageAnalysis::extractLsb(m_image, chosen);
    memLsb->setPlainText(ImageAnalysis::lsbText(bytes.left(kShownBytes)));
    lblLsb->setText(bytes.size() > kShownBytes
                        ? QStringLiteral("%1 Bytes gelesen, die ersten %2 gezeigt")
                              .arg(bytes.size())
                              .arg(kShownBytes)
                        : QStringLiteral("%1 Bytes gelesen").arg(bytes.size()));
}
