#pragma once

#include <QString>

// Qt lays out a paragraph of a text box whole, every time it is shown or changed: a line of a
// million characters holds the window for seconds. A text for showing in a box therefore gets
// a line break in place of a blank about every kWrapColumn characters of each line longer than
// kLongestLine; shorter lines, and texts with none longer, stay as they are. A long line without
// blanks cannot be broken without changing what it says and stays whole.
namespace LongLines {

inline constexpr qsizetype kLongestLine = 20000;
inline constexpr qsizetype kWrapColumn = 100;

QString forDisplay(const QString &text);

// Whether a line of the text is longer than kLongestLine.
bool hasLongLine(const QString &text);

} // namespace LongLines
