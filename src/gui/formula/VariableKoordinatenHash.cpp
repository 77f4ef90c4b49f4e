// The hash search of the variable-coordinates window: a digest of the final's coordinate text,
// its method and the form the text is written in before it is hashed.
#include "gui/formula/VariableKoordinaten_Unit.h"
#include "logic/common/QuarvelError.h"
#include "logic/formula/CoordinateHash.h"
#include "logic/formula/PositionReader.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// The position every form shows as its example.
constexpr const char *kExample = "N 51° 23.456 E 7° 12.345";

} // namespace

QWidget *TfrmVariableKoordinaten::createHashArea(QWidget *parent)
{
    auto *box = new QGroupBox(QStringLiteral(" Hash-Suche "), parent);
    auto *form = new QFormLayout(box);
    edtHash = new QLineEdit(box);
    edtHash->setObjectName(QStringLiteral("edtHash"));
    edtHash->setPlaceholderText(QStringLiteral("leer: alle Kombinationen"));
    edtHash->setToolTip(QStringLiteral("Der Hash des Koordinatentexts in Hexadezimalziffern; "
                                       "nur die Kombinationen mit diesem Hash werden gezeigt"));
    cboxHashverfahren = new QComboBox(box);
    cboxHashverfahren->setObjectName(QStringLiteral("cboxHashverfahren"));
    for (const Formula::CoordinateHashMethod &method : Formula::coordinateHashMethods())
        cboxHashverfahren->addItem(method.label, method.name);
    cboxHashverfahren->setCurrentIndex(cboxHashverfahren->findData(QStringLiteral("sha1")));
    cboxHashForm = new QComboBox(box);
    cboxHashForm->setObjectName(QStringLiteral("cboxHashForm"));
    cboxHashForm->setEditable(true);
    cboxHashForm->setInsertPolicy(QComboBox::NoInsert);
    for (const Formula::ReadyForm &ready : Formula::readyForms())
        cboxHashForm->addItem(ready.form, ready.name);
    cboxHashForm->setToolTip(QStringLiteral(
        "Platzhalter: {h} Himmelsrichtung, {gg} Grad, {mm} Minuten, das zweite {mmm} die "
        "Nachkommastellen der Minuten, {ss} Sekunden, {ddddd} Nachkommastellen der Grad; "
        "die Zahl der Buchstaben ist die Stellenzahl mit führenden Nullen"));
    lblHashBeispiel = new QLabel(box);
    lblHashBeispiel->setObjectName(QStringLiteral("lblHashBeispiel"));
    lblHashBeispiel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblHashFehler = new QLabel(box);
    lblHashFehler->setObjectName(QStringLiteral("lblHashFehler"));
    lblHashFehler->setStyleSheet(QStringLiteral("color: #c00000"));
    lblHashFehler->setWordWrap(true);
    lblHashFehler->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Hash:"), edtHash);
    form->addRow(QStringLiteral("Verfahren:"), cboxHashverfahren);
    form->addRow(QStringLiteral("Form:"), cboxHashForm);
    form->addRow(QString(), lblHashBeispiel);
    form->addRow(QString(), lblHashFehler);
    return box;
}

std::shared_ptr<const Formula::HashTarget> TfrmVariableKoordinaten::hashTarget() const
{
    if (edtHash->text().trimmed().isEmpty())
        return nullptr;
    const auto &method = Formula::coordinateHashMethod(cboxHashverfahren->currentData().toString());
    return std::make_shared<const Formula::HashTarget>(Formula::hashTarget(
        edtHash->text(), method, Formula::CoordinateForm::parse(cboxHashForm->currentText())));
}

QString TfrmVariableKoordinaten::checkHashFields()
{
    const bool searching = !edtHash->text().trimmed().isEmpty();
    const QString problem =
        searching ? QStringLiteral("Der Hash oder seine Form enthält einen Fehler.") : QString();
    try {
        const auto form = Formula::CoordinateForm::parse(cboxHashForm->currentText());
        lblHashBeispiel->setText(
            QStringLiteral("z. B. „%1“").arg(form.writeText(Formula::readPosition(kExample))));
    } catch (const QuarvelError &error) {
        lblHashBeispiel->clear();
        lblHashFehler->setText(error.message());
        return problem;
    }
    try {
        hashTarget();
    } catch (const QuarvelError &error) {
        lblHashFehler->setText(error.message());
        return problem;
    }
    lblHashFehler->clear();
    return {};
}
