#pragma once

#include <QString>

class QFontMetrics;
class QLabel;

// Result labels the user can take a result from: the text is selectable with mouse and keyboard,
// the context menu offers "Kopieren" and Ctrl+C copies. A result too long to lay out quickly
// (a Roman numeral of two million "M") is shown shortened with its length, while copying
// always takes the whole result.
namespace ResultLabel {

// Results up to this many characters are shown whole (laying them out takes well under a
// millisecond); longer ones are shown shortened.
inline constexpr int kWholeTextLimit = 1000;

// Makes `label` selectable and copyable; idempotent.
void makeCopyable(QLabel *label);

// Shows `result` in `label` (made copyable), shortened when it is longer than kWholeTextLimit.
void show(QLabel *label, const QString &result);

// The whole result a label stands for: what show() was given, else the label's text.
QString wholeText(const QLabel *label);

// What "Kopieren" and Ctrl+C put on the clipboard: the selection of a label showing its whole
// result, else the whole result.
QString copyText(const QLabel *label);

// The shortened form: as many leading characters as fit `width` pixels beside the suffix
// "… (<length with German grouping> Zeichen)", at least one.
QString shortened(const QString &result, const QFontMetrics &metrics, int width);

} // namespace ResultLabel
