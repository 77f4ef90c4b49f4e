#pragma once

#include <QString>

class Dialogs;
class QAbstractItemView;

// "Kopieren" for a table: Ctrl+C and the context menu copy the selected rows, their columns
// separated by tabs, one line per row.
namespace ItemViewCopy {

// Rows are copied up to this many at once (about 7 MB of hex listing); more is refused with
// its reason rather than building a text of hundreds of megabytes.
constexpr int kMaxRows = 100000;

// The selected rows as text; refuses (QuarvelError) more than kMaxRows.
QString selectedText(const QAbstractItemView &view);

// Adds the action; errors go to the general error box.
void install(QAbstractItemView *view, Dialogs &dialogs);

} // namespace ItemViewCopy
