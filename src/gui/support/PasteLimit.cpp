#include "gui/support/PasteLimit.h"

#include "gui/support/Dialogs.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// The three kinds of text field share their paste interface but no base class that has it.
template<typename Edit> class PasteLimitFilter : public QObject
{
public:
    // `surface` receives the mouse, menu and drop events: the field itself, or the viewport of
    // a scrolling text box.
    PasteLimitFilter(Edit *edit, QWidget *surface, Dialogs &dialogs, qsizetype maxCharacters)
        : QObject(edit)
        , m_edit(edit)
        , m_surface(surface)
        , m_dialogs(dialogs)
        , m_max(maxCharacters)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Only the ways of pasting are looked at: other events also arrive while the field is
        // being destroyed, when it is no text field any more.
        const QEvent::Type type = event->type();
        if ((watched != m_edit && watched != m_surface) || !isPasteEvent(type) ||
            m_edit->isReadOnly())
            return false;
        switch (type) {
        case QEvent::KeyPress:
            return static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) &&
                refused(QClipboard::Clipboard);
        case QEvent::MouseButtonRelease:
            return watched == m_surface &&
                static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton &&
                QGuiApplication::clipboard()->supportsSelection() && refused(QClipboard::Selection);
        case QEvent::ContextMenu:
            if (watched != m_surface)
                return false;
            showContextMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        case QEvent::Drop:
            return droppedTooLong(static_cast<QDropEvent *>(event));
        default:
            return false;
        }
    }

private:
    static bool isPasteEvent(QEvent::Type type)
    {
        return type == QEvent::KeyPress || type == QEvent::MouseButtonRelease ||
            type == QEvent::ContextMenu || type == QEvent::Drop;
    }

    // True when the text waiting to be pasted is too long; the user is told then.
    bool refused(QClipboard::Mode mode)
    {
        return tooLong(QGuiApplication::clipboard()->text(mode));
    }

    bool droppedTooLong(QDropEvent *event)
    {
        const QMimeData *data = event->mimeData();
        if (!data || !data->hasText() || !tooLong(data->text()))
            return false;
        event->ignore();
        return true;
    }

    bool tooLong(const QString &text)
    {
        const qsizetype length = text.size();
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

    Edit *m_edit;
    QWidget *m_surface;
    Dialogs &m_dialogs;
    qsizetype m_max;
};

template<typename Edit>
void watch(Edit *edit, QWidget *surface, Dialogs &dialogs, qsizetype maxCharacters)
{
    auto *filter = new PasteLimitFilter<Edit>(edit, surface, dialogs, maxCharacters);
    edit->installEventFilter(filter);
    if (surface != edit)
        surface->installEventFilter(filter);
}

} // namespace

QAction *pasteAction(const QMenu &menu)
{
    // Found by the field's own (translated) text: the entry carries no object name in Qt 6.4.
    // The line edit and the text boxes translate it in different contexts.
    const QString texts[] = {QLineEdit::tr("&Paste"),
                             QCoreApplication::translate("QWidgetTextControl", "&Paste")};
    for (QAction *action : menu.actions()) {
        for (const QString &text : texts) {
            if (action->text().startsWith(text))
                return action;
        }
    }
    return nullptr;
}

void limitPasteLength(QLineEdit *edit, Dialogs &dialogs, qsizetype maxCharacters)
{
    watch(edit, edit, dialogs, maxCharacters);
}

void limitPasteLength(QPlainTextEdit *edit, Dialogs &dialogs, qsizetype maxCharacters)
{
    watch(edit, edit->viewport(), dialogs, maxCharacters);
}

void limitPasteLength(QTextEdit *edit, Dialogs &dialogs, qsizetype maxCharacters)
{
    watch(edit, edit->viewport(), dialogs, maxCharacters);
}
