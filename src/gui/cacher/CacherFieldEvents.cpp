#include "gui/cacher/CacherFieldEvents.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace {

constexpr QChar kBackspace = u'\b';

bool isDecimalDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool movesInsideWindow(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        reason != Qt::MenuBarFocusReason;
}

// The character a key press types, or a null character for keys that type none (arrows,
// Delete, Tab): those are never filtered.
QChar typedCharacter(const QKeyEvent *event)
{
    if (event->text().size() != 1)
        return {};
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return {};
    default:
        return event->text().at(0);
    }
}

} // namespace

bool phoneCharacterAllowed(QChar key)
{
    return isDecimalDigit(key) || key == kBackspace || key == u' ' || key == u'(' || key == u')' ||
        key == u'-' || key == u'/';
}

bool postalCodeCharacterAllowed(QChar key, qsizetype currentLength)
{
    if (key == kBackspace)
        return true;
    return currentLength <= 4 && isDecimalDigit(key);
}

CacherFieldEvents::CacherFieldEvents(QObject *parent, FieldCallback onEnter, FieldCallback onExit)
    : QObject(parent)
    , m_onEnter(std::move(onEnter))
    , m_onExit(std::move(onExit))
{
}

void CacherFieldEvents::watch(QWidget *field)
{
    field->installEventFilter(this);
}

void CacherFieldEvents::filterKeys(QWidget *field, KeyFilter filter)
{
    m_keyFilters.append({field, std::move(filter)});
}

bool CacherFieldEvents::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        // Coming back from another window or a popup to the field that had the focus is
        // no new entry; the first focus of a freshly shown window is.
        auto *field = static_cast<QWidget *>(watched);
        if (field != m_entered) {
            m_entered = field;
            m_onEnter(field);
        }
        break;
    }
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        auto *field = static_cast<QWidget *>(watched);
        if (field == m_entered && movesInsideWindow(reason)) {
            m_entered = nullptr;
            m_onExit(field);
        }
        break;
    }
    case QEvent::KeyPress: {
        const QChar key = typedCharacter(static_cast<QKeyEvent *>(event));
        if (key.isNull())
            break;
        for (const auto &[field, filter] : std::as_const(m_keyFilters)) {
            if (field == watched && !filter(key))
                return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}
