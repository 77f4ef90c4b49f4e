#include "gui/app/panels/gboxKoordinaten.h"
#include "gui/support/DesignSize.h"
#include "gui/support/WidgetStyle.h"

#include "gui/app/AppContext.h"
#include "gui/support/FocusColour.h"
#include "gui/support/HandlerGuard.h"
#include "logic/tools/Koordinaten_Unit.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QColor kRecognised(0, 128, 0);
const QColor kNotRecognised(255, 0, 0);
const QColor kExampleBackground(227, 255, 227);
const QColor kExampleOrange(255, 128, 0);
const QColor kExampleRedOrange(255, 69, 0);
constexpr int kFieldWidth = 380;

QLineEdit *exampleField(const char *name, const QString &text, const QColor &colour,
                        QWidget *parent)
{
    auto *field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setFixedWidth(DesignSize::px(parent, kFieldWidth));
    field->setCursorPosition(0);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, kExampleBackground);
    palette.setColor(QPalette::Text, colour);
    field->setPalette(palette);
    return field;
}

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Leaving the field for another control counts; the window losing the activation, a popup or
// the menu bar taking the keyboard do not, as the focus comes back to the field afterwards.
bool leavesTheField(const QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        reason != Qt::MenuBarFocusReason;
}

} // namespace

void NotationList::hidePopup()
{
    const bool wasOpen = view() && view()->isVisible();
    QComboBox::hidePopup();
    // A choice made in the list becomes the current item only after the list has closed.
    if (wasOpen && closedUp)
        QMetaObject::invokeMethod(
            this, [this] { closedUp(); }, Qt::QueuedConnection);
}

void NotationList::keyPressEvent(QKeyEvent *event)
{
    if (keyPressed && keyPressed(event))
        return;
    QComboBox::keyPressEvent(event);
}

gboxKoordinaten::gboxKoordinaten(AppContext &context, QWidget *parent)
    : ToolPanel(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("gboxKoordinaten"));
    createControls();
    layOutControls();
    attachFocusColour(edtKoordinaten);
    edtKoordinaten->installEventFilter(this);
    cboxKoordinaten->view()->installEventFilter(this);
    cboxKoordinaten->closedUp = [this] { cboxKoordinatenCloseUp(); };
    cboxKoordinaten->keyPressed = [this](QKeyEvent *event) {
        return cboxKoordinatenKeyPress(event);
    };

    edtKoordinaten->clear();
    edtKoordAus->setText(QStringLiteral("N 0° E 0°"));
    showTestResult(false);
    lblLastKoord->clear();
}

gboxKoordinaten::~gboxKoordinaten()
{
    // The children outlive this part of the panel; no focus change may reach it any more.
    edtKoordinaten->removeEventFilter(this);
    cboxKoordinaten->view()->removeEventFilter(this);
    cboxKoordinaten->closedUp = nullptr;
    cboxKoordinaten->keyPressed = nullptr;
}

void gboxKoordinaten::createControls()
{
    auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    Label2 = label("Label2", QStringLiteral("Eingabe:"));
    edtKoordinaten = new QLineEdit(this);
    edtKoordinaten->setObjectName(QStringLiteral("edtKoordinaten"));
    edtKoordinaten->setFixedWidth(DesignSize::px(this, kFieldWidth));
    lblKoordTest = label("lblKoordTest", QString());
    QFont bold = lblKoordTest->font();
    bold.setBold(true);
    lblKoordTest->setFont(bold);
    lblKoordTest->setMinimumWidth(
        QFontMetrics(bold).horizontalAdvance(QStringLiteral("Nicht erkannt !")) + 8);
    Label3 = label("Label3", QStringLiteral("letzte Eingabe:"));
    lblLastKoord = label("lblLastKoord", QString());
    Label4 = label("Label4", QStringLiteral("Ausgabe:"));

    cboxKoordinaten = new NotationList(this);
    cboxKoordinaten->setObjectName(QStringLiteral("cboxKoordinaten"));
    cboxKoordinaten->addItems({QStringLiteral("Grad °"), QStringLiteral("Grad °  Minuten '"),
                               QStringLiteral("Grad °  Minuten '  Sekunden ''")});
    cboxKoordinaten->setCurrentIndex(-1);
    cboxKoordinaten->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    edtKoordAus = new QLineEdit(this);
    edtKoordAus->setObjectName(QStringLiteral("edtKoordAus"));
    edtKoordAus->setReadOnly(true);
    edtKoordAus->setFrame(false);
    edtKoordAus->setFixedWidth(DesignSize::px(this, kFieldWidth));
    // No box of its own: the text sits on the panel's background.
    setPaletteColour(edtKoordAus, QPalette::Base, Qt::transparent);

    Edit1 = exampleField("Edit1", QStringLiteral("N 54.3941666666667 E 13.6696833333333"),
                         kExampleOrange, this);
    Edit2 = exampleField("Edit2", QStringLiteral("N 54° 23.650 E 013° 40.181"), kExampleRedOrange,
                         this);
}

void gboxKoordinaten::layOutControls()
{
    auto *grid = new QGridLayout;
    const auto d = [this](int designed) { return DesignSize::px(this, designed); };
    grid->setHorizontalSpacing(d(12));
    grid->setVerticalSpacing(d(10));
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(edtKoordinaten, 0, 1);
    grid->addWidget(lblKoordTest, 0, 2);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(lblLastKoord, 1, 1, 1, 2);
    grid->addWidget(Label4, 2, 0);
    grid->addWidget(cboxKoordinaten, 2, 1, Qt::AlignLeft);
    grid->addWidget(edtKoordAus, 3, 1, 1, 2);
    grid->setRowMinimumHeight(4, d(24));
    grid->addWidget(Edit1, 5, 1);
    grid->addWidget(Edit2, 6, 1);
    grid->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(d(16), d(16), d(16), d(16));
    layout->addLayout(grid);
    layout->addStretch();
}

bool gboxKoordinaten::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edtKoordinaten) {
        if (event->type() == QEvent::KeyPress)
            return edtKoordinatenKeyDown(static_cast<QKeyEvent *>(event));
        if (event->type() == QEvent::FocusOut && leavesTheField(static_cast<QFocusEvent *>(event)))
            edtKoordinatenExit();
        return false;
    }
    // Keys typed into the opened list: letters must not move the selection either.
    if (event->type() == QEvent::KeyPress && watched == cboxKoordinaten->view()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        return !isEnter(key) && key->key() != Qt::Key_Escape && !key->text().isEmpty();
    }
    return ToolPanel::eventFilter(watched, event);
}

bool gboxKoordinaten::edtKoordinatenKeyDown(QKeyEvent *event)
{
    if (!isEnter(event))
        return false;
    // Enter behaves as Tab: moving on makes the field lose the focus, which reads it.
    guarded(m_context.dialogs, this, [&] { focusNextPrevChild(true); });
    return true;
}

void gboxKoordinaten::edtKoordinatenExit()
{
    guarded(m_context.dialogs, this, [&] {
        if (!m_koordinaten)
            return;
        const bool recognised = m_koordinaten->m_sSetKoordinaten(edtKoordinaten->text()) == 1;
        showTestResult(recognised);
        if (!recognised)
            return;
        lblLastKoord->setText(edtKoordinaten->text());
        // An output that kept the earlier position would pass for the new one.
        if (cboxKoordinaten->currentIndex() >= 0)
            edtKoordAus->setText(m_koordinaten->m_sGetKoordinaten(cboxKoordinaten->currentIndex()));
    });
}

void gboxKoordinaten::showTestResult(bool recognised)
{
    lblKoordTest->setText(recognised ? QStringLiteral("OK !") : QStringLiteral("Nicht erkannt !"));
    setPaletteColour(lblKoordTest, QPalette::WindowText, recognised ? kRecognised : kNotRecognised);
}

void gboxKoordinaten::cboxKoordinatenCloseUp()
{
    guarded(m_context.dialogs, this, [&] {
        if (m_koordinaten)
            edtKoordAus->setText(m_koordinaten->m_sGetKoordinaten(cboxKoordinaten->currentIndex()));
    });
}

bool gboxKoordinaten::cboxKoordinatenKeyPress(QKeyEvent *event)
{
    bool swallowed = false;
    guarded(m_context.dialogs, this, [&] {
        // Keys without a character (arrows, page keys, F4) keep their list behaviour.
        if (!isEnter(event) && event->text().isEmpty())
            return;
        swallowed = true;
        if (isEnter(event))
            cboxKoordinatenCloseUp();
    });
    return swallowed;
}
