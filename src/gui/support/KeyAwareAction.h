#pragma once

#include <QAction>
#include <QEvent>

// An action that knows whether its current triggering came from its shortcut key, so one
// action can serve a menu entry and a key that depends on where the user works (F1).
class KeyAwareAction : public QAction
{
public:
    using QAction::QAction;

    bool triggeredByKey() const { return m_byKey; }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::Shortcut)
            return QAction::event(event);
        m_byKey = true;
        const bool handled = QAction::event(event);
        m_byKey = false;
        return handled;
    }

private:
    bool m_byKey = false;
};
