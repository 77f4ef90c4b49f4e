#include "gui/support/PasteLimit.h"

#include "gui/support/Dialogs.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>

namespace {

class PasteLimitFilter : public QObject
{
public:
    PasteLimitFilter(QLineEdit *edit, Dialogs &dialogs, qsizetype maxCharacters)
        : QObject(edit)
        , m_edit(edit)
        , m_dialogs(dialogs)
        , m_max(maxCharacters)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Only the three ways of pasting are looked at: other events also arrive while the field
        // is being destroyed, when it is no line edit any more.
        const QEvent::Type type = event->type();
        if (watched != m_edit ||
            (type != QEvent::KeyPress && type != QEvent::MouseButtonRelease &&
             type != QEvent::ContextMenu) ||
            m_edit->isReadOnly())
            return false;
        switch (type) {
        case QEvent::KeyPress:
            return static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) &&
                refused(QClipboard::Clipboard);
        case QEvent::MouseButtonRelease:
            return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton &&
                QGuiApplication::clipboard()->supportsSelection() && refused(QClipboard::Selection);
        case QEvent::ContextMenu:
            showContextMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        default:
            return false;
        }
    }

private:
    // True when the text waiting to be pasted is too long; the user is told then.
    bool refused(QClipboard::Mode mode)
    {
        const qsizetype length = QGuiApplication::clipboard()->text(mode).size();
        if (length <= m_max)
            return false;
        // The program's German grouping ("1.000.000"), whatever the process locale.
        const QLocale german(QLocale::German, QLocale::Germany);
        m_dialogs.messageDlg(m_edit,
                             QStringLiteral("Der Text ist zu lang zum Einfügen: %1 Zeichen, "
                                            "höchstens %2 Zeichen passen in das Feld.")
                                 .arg(german.toString(length), german.toString(m_max)),
                             Dialogs::Icon::Warning, Dialogs::Ok);
        return true;
    }

    // The field's own menu, with its paste entry going through the limit.
    void showContextMenu(const QPoint &at)
    {
        QMenu *menu = m_edit->createStandardContextMenu();
        if (QAction *paste = pasteAction(*menu)) {
            QObject::disconnect(paste, &QAction::triggered, nullptr, nullptr);
            QObject::connect(paste, &QAction::triggered, m_edit, [this] {
                if (!refused(QClipboard::Clipboard))
                    m_edit->paste();
            });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(at);
    }

    QLineEdit *m_edit;
    Dialogs &m_dialogs;
    qsizetype m_max;
};

} // namespace

QAction *pasteAction(const QMenu &menu)
{
    // Found by the field's own (translated) text: the entry carries no object name in Qt 6.4.
    const QString text = QLineEdit::tr("&Paste");
    for (QAction *action : menu.actions()) {
        if (action->text().startsWith(text))
            return action;
    }
    return nullptr;
}

void limitPasteLength(QLineEdit *edit, Dialogs &dialogs, qsizetype maxCharacters)
{
    edit->installEventFilter(new PasteLimitFilter(edit, dialogs, maxCharacters));
}
