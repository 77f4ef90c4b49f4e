#include "gui/app/panels/gboxGcCode.h"

#include "gui/app/AppContext.h"
#include "gui/support/DesignSize.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/ResultLabel.h"
#include "gui/support/WidgetStyle.h"
#include "logic/common/QuarvelError.h"
#include "logic/geo/GcCode.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLabel *resultLabel(QWidget *parent, const char *name)
{
    auto *label = named(new QLabel(parent), name);
    setBold(label);
    setTextColour(label, Colours::kPurple);
    ResultLabel::makeCopyable(label);
    return label;
}

} // namespace

gboxGcCode::gboxGcCode(AppContext &context, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("gboxGcCode"));
    edtGcEingabe = named(new QLineEdit(this), "edtGcEingabe");
    edtGcEingabe->setPlaceholderText(QStringLiteral("z. B. GC12ABC oder 65536"));
    edtGcEingabe->setMaximumWidth(DesignSize::px(this, 260));
    // A code has at most nine characters and a number eleven digits; the rest is a paste.
    edtGcEingabe->setMaxLength(64);
    lblGcCode = resultLabel(this, "lblGcCode");
    lblGcNummer = resultLabel(this, "lblGcNummer");
    lblGcMeldung = named(new QLabel(this), "lblGcMeldung");
    lblGcMeldung->setWordWrap(true);
    setTextColour(lblGcMeldung, QColor(192, 0, 0));
    auto *hint = new QLabel(QStringLiteral("Bis GCFFFF hexadezimal, ab GCG000 zur Basis 31 "
                                           "(ohne I, L, O, S, U)."),
                            this);
    hint->setWordWrap(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("GC-Code oder Nummer:"), edtGcEingabe);
    form->addRow(QStringLiteral("GC-Code:"), lblGcCode);
    form->addRow(QStringLiteral("Nummer:"), lblGcNummer);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblGcMeldung);
    layout->addWidget(hint);
    layout->addStretch(1);
    connect(edtGcEingabe, &QLineEdit::textChanged, this, &gboxGcCode::edtGcEingabeChange);
}

void gboxGcCode::edtGcEingabeChange()
{
    guarded(m_context.dialogs, this, [this] {
        lblGcCode->clear();
        lblGcNummer->clear();
        lblGcMeldung->clear();
        if (edtGcEingabe->text().trimmed().isEmpty())
            return;
        try {
            const Geo::GcCodePair pair = Geo::readGcCode(edtGcEingabe->text());
            lblGcCode->setText(pair.code);
            lblGcNummer->setText(QString::number(pair.number));
        } catch (const QuarvelError &error) {
            lblGcMeldung->setText(error.message());
        }
    });
}
