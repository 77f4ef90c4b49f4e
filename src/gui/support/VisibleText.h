#pragma once

#include <QString>

// A text for one line of a table cell: line breaks become blanks, and characters that have no
// picture of their own are shown by one, so a reading made of them is not a row of empty boxes:
// C0 controls and DEL as their control pictures ("␀", "␛", "␡"), C1 controls as "\x85".
QString visibleLine(const QString &text);
