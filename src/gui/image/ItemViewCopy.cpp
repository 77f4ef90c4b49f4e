#include "gui/image/ItemViewCopy.h"

#include "gui/support/HandlerGuard.h"
#include "logic/common/QuarvelError.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>

#include <set>

namespace ItemViewCopy {

QString selectedText(const QAbstractItemView &view)
{
    const QAbstractItemModel *model = view.model();
    const QItemSelectionModel *selection = view.selectionModel();
    if (!model || !selection)
        return {};
    // Selection ranges, not single indexes: a whole selected hex listing is one range.
    std::set<int> rows;
    qint64 count = 0;
    for (const QItemSelectionRange &range : selection->selection()) {
        count += range.bottom() - range.top() + 1;
        if (count > kMaxRows) {
            throw QuarvelError(
                QStringLiteral("Es lassen sich höchstens %1 Zeilen auf einmal kopieren.")
                    .arg(kMaxRows));
        }
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.insert(row);
    }
    if (rows.empty() && selection->currentIndex().isValid())
        rows.insert(selection->currentIndex().row());
    QStringList lines;
    for (int row : rows) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n');
}

void install(QAbstractItemView *view, Dialogs &dialogs)
{
    auto *copy = new QAction(QStringLiteral("Kopieren"), view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(copy);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    QObject::connect(copy, &QAction::triggered, view, [view, &dialogs] {
        guarded(dialogs, view->window(),
                [view] { QGuiApplication::clipboard()->setText(selectedText(*view)); });
    });
}

} // namespace ItemViewCopy
