#include "gui/app/panels/KeyPressFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

namespace {

// The character a key press types, or QChar() for keys that type none.
QChar typedCharacter(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool altGr = (modifiers & Qt::ControlModifier) && (modifiers & Qt::AltModifier);
    if ((modifiers & (Qt::ControlModifier | Qt::MetaModifier)) && !altGr)
        return QChar();
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(kEnterKey);
    case Qt::Key_Backspace:
        return QChar(kBackspaceKey);
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return QChar();
    const QChar c = text.at(0);
    if (c.unicode() < 32 || c.unicode() == 127)
        return QChar();
    return c;
}

class KeyPressFilter : public QObject
{
public:
    KeyPressFilter(QLineEdit *field, std::function<void(QChar &)> handler)
        : QObject(field)
        , m_field(field)
        , m_handler(std::move(handler))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_field || event->type() != QEvent::KeyPress)
            return false;
        const QChar typed = typedCharacter(*static_cast<QKeyEvent *>(event));
        if (typed.isNull())
            return false;
        QChar key = typed;
        m_handler(key);
        if (key == typed)
            return false;
        if (!key.isNull())
            m_field->insert(QString(key));
        return true;
    }

private:
    QLineEdit *m_field;
    std::function<void(QChar &)> m_handler;
};

class ExitFilter : public QObject
{
public:
    ExitFilter(QWidget *field, std::function<void()> handler)
        : QObject(field)
        , m_handler(std::move(handler))
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut)
            m_handler();
        return false;
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void onKeyPress(QLineEdit *field, std::function<void(QChar &key)> handler)
{
    field->installEventFilter(new KeyPressFilter(field, std::move(handler)));
}

void onExit(QWidget *field, std::function<void()> handler)
{
    field->installEventFilter(new ExitFilter(field, std::move(handler)));
}

void focusNextControl(QWidget *field)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCoreApplication::sendEvent(field, &tab);
}
