#pragma once

#include <QtGlobal>

class Dialogs;
class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTextEdit;

// A single-line field lays out every character it holds: in Qt 6.4 a pasted text costs about
// 70 bytes per character in the field and as much again in the per-character undo steps of a
// paste, so 50 MB pasted took several GB. Text boxes fare no better: 50 MB pasted into one kept
// the window busy for minutes. Pastes longer than this are refused with a warning that names
// both lengths; the field keeps what it had.
inline constexpr qsizetype kMaxPasteCharacters = 1000000;

// Watches the paste ways of `edit`: the paste keys, the context menu's paste entry, the middle
// mouse button (the selection) and a dropped text.
void limitPasteLength(QLineEdit *edit, Dialogs &dialogs,
                      qsizetype maxCharacters = kMaxPasteCharacters);
void limitPasteLength(QPlainTextEdit *edit, Dialogs &dialogs,
                      qsizetype maxCharacters = kMaxPasteCharacters);
void limitPasteLength(QTextEdit *edit, Dialogs &dialogs,
                      qsizetype maxCharacters = kMaxPasteCharacters);

// The paste entry of a text field's standard context menu, or none.
QAction *pasteAction(const QMenu &menu);
