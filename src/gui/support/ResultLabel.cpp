#include "gui/support/ResultLabel.h"

#include "logic/common/Numbers.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

#include <algorithm>

namespace ResultLabel {

namespace {

const char *const kCopierName = "resultCopier";

// Lives as a child of its label: keeps the whole result, offers the copy menu and shortcut and
// fits the shortened form to the label's width.
class Copier : public QObject
{
public:
    explicit Copier(QLabel *label)
        : QObject(label)
        , m_label(label)
    {
        setObjectName(QString::fromLatin1(kCopierName));
        label->installEventFilter(this);
    }

    void show(const QString &result)
    {
        m_whole = result;
        m_shortened = result.size() > kWholeTextLimit;
        refresh();
    }

    // Someone may have set the label's text directly since (a reset to "0"): then that text
    // is the result.
    bool showsOwnText() const { return m_label->text() == m_displayed; }
    QString whole() const { return showsOwnText() ? m_whole : m_label->text(); }
    bool isShortened() const { return m_shortened && showsOwnText(); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
                event->accept();
                if (event->type() == QEvent::KeyPress)
                    copy();
                return true;
            }
            return false;
        case QEvent::ContextMenu:
            showMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        case QEvent::Resize:
            if (isShortened())
                refresh();
            return false;
        default:
            return false;
        }
    }

private:
    void refresh()
    {
        m_displayed = m_shortened
            ? shortened(m_whole, m_label->fontMetrics(), m_label->contentsRect().width())
            : m_whole;
        m_label->setText(m_displayed);
    }

    void copy() const { QGuiApplication::clipboard()->setText(copyText(m_label)); }

    void showMenu(const QPoint &at)
    {
        QMenu menu(m_label);
        menu.setObjectName(QStringLiteral("resultMenu"));
        QAction *copyAction = menu.addAction(QStringLiteral("Kopieren"));
        copyAction->setObjectName(QStringLiteral("resultCopy"));
        copyAction->setShortcut(QKeySequence::Copy);
        connect(copyAction, &QAction::triggered, this, [this] { copy(); });
        menu.exec(at);
    }

    QLabel *m_label;
    QString m_whole;
    QString m_displayed;
    bool m_shortened = false;
};

Copier *copierOf(const QLabel *label)
{
    return label->findChild<Copier *>(QString::fromLatin1(kCopierName), Qt::FindDirectChildrenOnly);
}

} // namespace

void makeCopyable(QLabel *label)
{
    if (copierOf(label))
        return;
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setContextMenuPolicy(Qt::DefaultContextMenu);
    new Copier(label);
}

void show(QLabel *label, const QString &result)
{
    makeCopyable(label);
    copierOf(label)->show(result);
}

QString wholeText(const QLabel *label)
{
    const Copier *copier = copierOf(label);
    return copier ? copier->whole() : label->text();
}

QString copyText(const QLabel *label)
{
    const Copier *copier = copierOf(label);
    if (copier && copier->isShortened())
        return copier->whole();
    return label->hasSelectedText() ? label->selectedText() : label->text();
}

QString shortened(const QString &result, const QFontMetrics &metrics, int width)
{
    const QString suffix =
        QStringLiteral("… (%1 Zeichen)")
            .arg(Numbers::formatGrouped(static_cast<long double>(result.size())));
    // Only a screen's width of the head is ever measured, however long the result is.
    const QString head = result.left(std::min<qsizetype>(result.size() - 1, kWholeTextLimit));
    const int room = width - metrics.horizontalAdvance(suffix);
    qsizetype low = 1;
    qsizetype high = head.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(head.left(middle)) <= room)
            low = middle;
        else
            high = middle - 1;
    }
    return head.left(low) + suffix;
}

} // namespace ResultLabel
