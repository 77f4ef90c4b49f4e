#include "gui/image/ViewChooser.h"

#include "image/ImageDifference.h"
#include "image/ImagePlanes.h"
#include "image/ImageTones.h"
#include "logic/common/QuarvelError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

namespace {

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString decimal(double value, int places)
{
    return QString::number(value, 'f', places).replace(u'.', u',');
}

} // namespace

ViewChooser::ViewChooser(QWidget *parent)
    : QWidget(parent)
{
    createControls();
    showSettings();
}

void ViewChooser::createControls()
{
    cboxAnsicht = named(new QComboBox(this), "cboxAnsicht");
    cboxAnsicht->addItems({QStringLiteral("Original"), QStringLiteral("Kanal"),
                           QStringLiteral("Bitebene"), QStringLiteral("Tonwerte"),
                           QStringLiteral("Invertiert"), QStringLiteral("Farbe isolieren"),
                           QStringLiteral("Einzelbilder"), QStringLiteral("Differenz")});
    cboxKanal = named(new QComboBox(this), "cboxKanal");
    cboxKanal->addItems({QStringLiteral("Rot"), QStringLiteral("Grün"), QStringLiteral("Blau"),
                         QStringLiteral("Alpha")});
    spinBit = named(new QSpinBox(this), "spinBit");
    spinBit->setRange(0, 7);
    spinBit->setToolTip(QStringLiteral("0 ist das niedrigste Bit, 7 das höchste"));
    spinSchwarz = named(new QSpinBox(this), "spinSchwarz");
    spinSchwarz->setRange(0, 254);
    spinWeiss = named(new QSpinBox(this), "spinWeiss");
    spinWeiss->setRange(1, 255);
    spinWeiss->setValue(255);
    spinGamma = named(new QDoubleSpinBox(this), "spinGamma");
    spinGamma->setRange(ImageAnalysis::kMinGamma, ImageAnalysis::kMaxGamma);
    spinGamma->setDecimals(2);
    spinGamma->setSingleStep(0.1);
    spinGamma->setValue(1.0);
    edtFarbe = named(new QLineEdit(QStringLiteral("#FFFFFF"), this), "edtFarbe");
    edtFarbe->setMaxLength(9);
    edtFarbe->setFixedWidth(edtFarbe->fontMetrics().horizontalAdvance(u'M') * 7);
    edtFarbe->setToolTip(QStringLiteral("#RRGGBB oder #AARRGGBB; ein Klick ins Bild übernimmt "
                                        "die Farbe des Pixels"));
    chkAlpha = named(new QCheckBox(QStringLiteral("mit Alpha"), this), "chkAlpha");
    spinBild = named(new QSpinBox(this), "spinBild");
    spinBild->setRange(1, 1);
    btnZweitesBild =
        named(new QPushButton(QStringLiteral("Zweites Bild ..."), this), "btnZweitesBild");
    chkHervorheben = named(new QCheckBox(QStringLiteral("hervorheben"), this), "chkHervorheben");
    chkHervorheben->setToolTip(
        QStringLiteral("Jedes abweichende Pixel weiß, jedes gleiche schwarz"));
    lblAnsicht = named(new QLabel(this), "lblAnsicht");
    lblAnsicht->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto *viewCaption = new QLabel(QStringLiteral("&Ansicht:"), this);
    viewCaption->setBuddy(cboxAnsicht);
    row->addWidget(viewCaption);
    row->addWidget(cboxAnsicht);
    const auto caption = [this, row](const QString &text, QWidget *field) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field);
        return label;
    };
    QLabel *kanal = caption(QStringLiteral("&Kanal:"), cboxKanal);
    QLabel *bit = caption(QStringLiteral("B&it:"), spinBit);
    QLabel *schwarz = caption(QStringLiteral("&Schwarz:"), spinSchwarz);
    QLabel *weiss = caption(QStringLiteral("&Weiß:"), spinWeiss);
    QLabel *gamma = caption(QStringLiteral("&Gamma:"), spinGamma);
    QLabel *farbe = caption(QStringLiteral("&Farbe:"), edtFarbe);
    row->addWidget(chkAlpha);
    QLabel *bild = caption(QStringLiteral("&Bild:"), spinBild);
    row->addWidget(btnZweitesBild);
    row->addWidget(chkHervorheben);
    row->addWidget(lblAnsicht, 1);

    m_settings[Kanal] = {kanal, cboxKanal};
    m_settings[Bitebene] = {kanal, cboxKanal, bit, spinBit};
    m_settings[Tonwerte] = {schwarz, spinSchwarz, weiss, spinWeiss, gamma, spinGamma};
    m_settings[FarbeIsolieren] = {farbe, edtFarbe, chkAlpha};
    m_settings[Einzelbild] = {bild, spinBild};
    m_settings[Differenz] = {btnZweitesBild, chkHervorheben};

    connect(cboxAnsicht, &QComboBox::currentIndexChanged, this, [this] {
        showSettings();
        changed();
    });
    connect(cboxKanal, &QComboBox::currentIndexChanged, this, [this] { changed(); });
    for (QSpinBox *spin : {spinBit, spinSchwarz, spinWeiss, spinBild})
        connect(spin, &QSpinBox::valueChanged, this, [this] { changed(); });
    connect(spinGamma, &QDoubleSpinBox::valueChanged, this, [this] { changed(); });
    connect(edtFarbe, &QLineEdit::editingFinished, this, [this] { changed(); });
    connect(chkAlpha, &QCheckBox::toggled, this, [this] { changed(); });
    connect(chkHervorheben, &QCheckBox::toggled, this, [this] { changed(); });
    connect(btnZweitesBild, &QPushButton::clicked, this, [this] {
        if (onSecondPictureWanted)
            onSecondPictureWanted();
    });
}

void ViewChooser::showSettings()
{
    for (const QList<QWidget *> &settings : m_settings) {
        for (QWidget *widget : settings)
            widget->setVisible(false);
    }
    for (QWidget *widget : m_settings[view()])
        widget->setVisible(true);
}

void ViewChooser::changed()
{
    if (onChanged)
        onChanged();
}

ViewChooser::View ViewChooser::view() const
{
    return View(qBound(0, cboxAnsicht->currentIndex(), int(Differenz)));
}

void ViewChooser::setView(View view)
{
    cboxAnsicht->setCurrentIndex(view);
}

void ViewChooser::setFrameCount(int count)
{
    spinBild->setRange(1, qMax(1, count));
}

void ViewChooser::setColour(QRgb colour)
{
    const bool alpha = chkAlpha->isChecked();
    edtFarbe->setText(
        u'#' +
        QStringLiteral("%1")
            .arg(alpha ? colour : (colour & 0xFFFFFFu), alpha ? 8 : 6, 16, QLatin1Char('0'))
            .toUpper());
    changed();
}

QRgb ViewChooser::colour() const
{
    static const QRegularExpression hex(QStringLiteral("^#?([0-9A-Fa-f]{6}|[0-9A-Fa-f]{8})$"));
    const QString text = edtFarbe->text().trimmed();
    const QRegularExpressionMatch match = hex.match(text);
    if (!match.hasMatch()) {
        throw QuarvelError(QStringLiteral("„%1“ ist keine Farbe; erwartet wird #RRGGBB oder "
                                          "#AARRGGBB, z. B. #FEFEFE.")
                               .arg(text));
    }
    const QString digits = match.captured(1);
    const QRgb value = digits.toUInt(nullptr, 16);
    return digits.size() == 6 ? (value | 0xFF000000u) : value;
}

QImage ViewChooser::render(const ViewSource &source)
{
    using namespace ImageAnalysis;
    lblAnsicht->clear();
    const auto channel = Channel(qBound(0, cboxKanal->currentIndex(), 3));
    switch (view()) {
    case Original:
        return source.bild;
    case Kanal:
        return channelImage(source.bild, channel);
    case Bitebene:
        return bitPlane(source.bild, channel, spinBit->value());
    case Tonwerte:
        return applyLevels(source.bild,
                           {spinSchwarz->value(), spinWeiss->value(), spinGamma->value()});
    case Invertiert:
        return inverted(source.bild);
    case FarbeIsolieren: {
        const Isolated isolated = isolateColour(source.bild, colour(), chkAlpha->isChecked());
        lblAnsicht->setText(QStringLiteral("%1 Pixel dieser Farbe").arg(isolated.treffer));
        return isolated.bild;
    }
    case Einzelbild: {
        if (source.einzelbilder.isEmpty()) {
            lblAnsicht->setText(QStringLiteral("kein animiertes Bild"));
            return source.bild;
        }
        const int index = qBound(1, spinBild->value(), int(source.einzelbilder.size())) - 1;
        const Frame &frame = source.einzelbilder[index];
        lblAnsicht->setText(QStringLiteral("Bild %1 von %2, %3 s")
                                .arg(index + 1)
                                .arg(source.einzelbilder.size())
                                .arg(decimal(frame.dauerMs / 1000.0, 2)));
        return frame.bild;
    }
    case Differenz: {
        if (source.zweitesBild.isNull()) {
            lblAnsicht->setText(QStringLiteral("Wählen Sie ein zweites Bild."));
            return source.bild;
        }
        const Difference diff =
            difference(source.bild, source.zweitesBild, chkHervorheben->isChecked());
        lblAnsicht->setText(QStringLiteral("%1 Pixel abweichend%2")
                                .arg(diff.abweichend)
                                .arg(diff.gleicheGroesse
                                         ? QString()
                                         : QStringLiteral(" (verschieden groß: nur die gemeinsame "
                                                          "Fläche verglichen)")));
        return diff.bild;
    }
    }
    return source.bild;
}
