#include "gui/app/panels/gboxBuchstabenverteilung.h"

#include "gui/app/AppContext.h"
#include "gui/support/DesignSize.h"
#include "gui/support/FocusColour.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/PasteLimit.h"
#include "gui/support/ResultLabel.h"
#include "gui/support/WidgetStyle.h"
#include "logic/tools/Buchstabenverteilung.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int kLettersPerBand = 13; // two bands of 13 letters side by side

} // namespace

gboxBuchstabenverteilung::gboxBuchstabenverteilung(AppContext &context, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("gboxBuchstabenverteilung"));
    createControls();
    connect(bbtnBerechnenBSV, &QPushButton::clicked, this, [this] { bbtnBerechnenBSVClick(); });
    ResetBuchstabenverteilung();
}

void gboxBuchstabenverteilung::createControls()
{
    rtfBSV = named(new QTextEdit(this), "rtfBSV");
    rtfBSV->setAcceptRichText(false);
    rtfBSV->setLineWrapMode(QTextEdit::WidgetWidth);
    rtfBSV->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rtfBSV->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    attachFocusColour(rtfBSV);
    limitPasteLength(rtfBSV, m_context.dialogs);
    bbtnBerechnenBSV =
        named(new QPushButton(QStringLiteral("Berechnen"), this), "bbtnBerechnenBSV");

    auto *letters = new QGridLayout;
    letters->setHorizontalSpacing(DesignSize::px(this, 14));
    for (int i = 0; i < 26; ++i) {
        const QChar upper(char16_t(u'A' + i));
        const QChar lower(char16_t(u'a' + i));
        auto *caption = new QLabel(QStringLiteral("%1 - %2").arg(upper).arg(lower), this);
        auto *count = new QLabel(this);
        count->setObjectName(QStringLiteral("lbl") + upper);
        ResultLabel::makeCopyable(count);
        setTextColour(count, Colours::kRed);
        caption->setAlignment(Qt::AlignHCenter);
        count->setAlignment(Qt::AlignHCenter);
        const int band = i / kLettersPerBand;
        letters->addWidget(caption, band * 3, i % kLettersPerBand);
        letters->addWidget(count, band * 3 + 1, i % kLettersPerBand);
    }
    letters->setRowMinimumHeight(2, DesignSize::px(this, 10)); // gap between the two bands

    auto *button = new QHBoxLayout;
    button->addWidget(bbtnBerechnenBSV);
    button->addStretch();
    auto *letterBox = new QHBoxLayout;
    letterBox->addLayout(letters);
    letterBox->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(rtfBSV, 1);
    layout->addLayout(button);
    layout->addSpacing(DesignSize::px(this, 8));
    layout->addLayout(letterBox);
}

QLabel *gboxBuchstabenverteilung::countLabel(QChar letter) const
{
    return findChild<QLabel *>(QStringLiteral("lbl") + letter);
}

void gboxBuchstabenverteilung::nodeChosen()
{
    guarded(m_context.dialogs, this, [this] {
        rtfBSV->clear();
        ResetBuchstabenverteilung();
    });
}

void gboxBuchstabenverteilung::ResetBuchstabenverteilung()
{
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
        countLabel(QChar(letter))->setText(QStringLiteral("0"));
}

void gboxBuchstabenverteilung::bbtnBerechnenBSVClick()
{
    guarded(m_context.dialogs, this, [this] {
        const QString text = rtfBSV->toPlainText();
        if (text.isEmpty())
            return; // no line: the counts shown stay
        const Buchstabenverteilung::Counts counts = Buchstabenverteilung::count(text);
        for (int i = 0; i < 26; ++i)
            countLabel(QChar(char16_t(u'A' + i)))->setText(QString::number(counts[size_t(i)]));
    });
}
