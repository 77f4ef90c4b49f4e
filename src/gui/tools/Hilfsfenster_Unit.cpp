#include "gui/tools/Hilfsfenster_Unit.h"

#include "gui/support/DesignSize.h"
#include "gui/support/ScreenFit.h"
#include "logic/tools/CryptoTools.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace {

struct EditEntry
{
    const char *actionName;
    const char *itemName;
    const char16_t *caption;
    const char16_t *hint; // short hint | long hint
    QKeySequence::StandardKey key;
};

const EditEntry kEntries[] = {
    {"EditCut1", "abc1", u"&Ausschneiden",
     u"Ausschneiden|Markiertes Objekt in die Zwischenablage verschieben", QKeySequence::Cut},
    {"EditCopy1", "Kopieren1", u"&Kopieren",
     u"Kopieren|Markiertes Objekt in die Zwischenablage kopieren", QKeySequence::Copy},
    {"EditPaste1", "Einfgen1", u"&Einfügen", u"Einfügen|Inhalt der Zwischenablage einfügen",
     QKeySequence::Paste},
    {"EditSelectAll1", "Allesmarkieren1", u"Alles &markieren",
     u"Alles markieren|Markiert das gesamte Dokument", QKeySequence::SelectAll},
};

// A hint "short|long" gives the tool tip and the status line text.
void setHint(QAction *action, const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    action->setToolTip(hint.left(bar));
    action->setStatusTip(hint.mid(bar + 1));
}

} // namespace

TfrmMisc::TfrmMisc(QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmMisc"));
    setWindowTitle(QStringLiteral("Quarvel - Rot13 0..26"));
    setFixedSize(DesignSize::size(this, 825, 660));
    createRtfRot();
    createActions();
    createPopupMenu();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    ScreenFit::keepOnScreen(this);
}

void TfrmMisc::createRtfRot()
{
    rtfRot = new QPlainTextEdit(this);
    rtfRot->setObjectName(QStringLiteral("rtfRot"));
    rtfRot->setReadOnly(true);
    rtfRot->setLineWrapMode(QPlainTextEdit::NoWrap);
    rtfRot->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rtfRot->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Courier New, else a face with its metrics, else a common monospaced face whose line height
    // still lets all 27 lines fit the window.
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("Cousine"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(DesignSize::fontPoints(17));
    rtfRot->setFont(font);
    QPalette palette = rtfRot->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, QColor(0, 0, 255));
    rtfRot->setPalette(palette);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rtfRot);
}

void TfrmMisc::createActions()
{
    QAction **actions[] = {&EditCut1, &EditCopy1, &EditPaste1, &EditSelectAll1};
    for (int i = 0; i < 4; ++i) {
        const EditEntry &entry = kEntries[i];
        auto *action = new QAction(QString::fromUtf16(entry.caption), this);
        action->setObjectName(QString::fromLatin1(entry.actionName));
        action->setShortcut(entry.key);
        action->setShortcutContext(Qt::WidgetShortcut);
        setHint(action, QString::fromUtf16(entry.hint));
        rtfRot->addAction(action);
        *actions[i] = action;
    }
    // The box is read-only: cut and paste leave the table as it is.
    connect(EditCut1, &QAction::triggered, rtfRot, &QPlainTextEdit::cut);
    connect(EditCopy1, &QAction::triggered, rtfRot, &QPlainTextEdit::copy);
    connect(EditPaste1, &QAction::triggered, rtfRot, &QPlainTextEdit::paste);
    connect(EditSelectAll1, &QAction::triggered, rtfRot, &QPlainTextEdit::selectAll);
}

void TfrmMisc::createPopupMenu()
{
    PopupMenu1 = new QMenu(rtfRot);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setToolTipsVisible(true);
    QAction **items[] = {&abc1, &Kopieren1, &Einfgen1, &Allesmarkieren1};
    QAction *targets[] = {EditCut1, EditCopy1, EditPaste1, EditSelectAll1};
    for (int i = 0; i < 4; ++i) {
        if (i == 3) {
            N1 = PopupMenu1->addSeparator();
            N1->setObjectName(QStringLiteral("N1"));
        }
        QAction *target = targets[i];
        // The entry shows the action's caption, hint and shortcut and runs the action.
        QAction *item = PopupMenu1->addAction(target->text());
        item->setObjectName(QString::fromLatin1(kEntries[i].itemName));
        item->setShortcut(target->shortcut());
        item->setShortcutVisibleInContextMenu(true);
        item->setToolTip(target->toolTip());
        item->setStatusTip(target->statusTip());
        connect(item, &QAction::triggered, target, &QAction::trigger);
        *items[i] = item;
    }
    rtfRot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(rtfRot, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(rtfRot->viewport()->mapToGlobal(pos)); });
}

void TfrmMisc::rot1_26(const QString &s)
{
    setWindowTitle(QStringLiteral("Quarvel - Rot13 0..26"));
    show();
    raise();
    activateWindow();
    rtfRot->clear();
    rtfRot->setPlainText(RotShiftLines(s).join(u'\n'));
}
