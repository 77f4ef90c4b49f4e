#pragma once

#include <QChar>

#include <functional>

class QLineEdit;
class QWidget;

// Key-press handling of single-line edits in the manner of a character filter: `handler` sees
// every typed character before the field does, Enter as "\r" and Backspace as "\b" included. It
// may leave the character as it is, replace it (the field then receives the replacement), or
// set it to QChar() to drop it. Shortcuts (Ctrl+V pastes unfiltered), navigation keys, Tab and
// Delete do not reach the handler.
void onKeyPress(QLineEdit *field, std::function<void(QChar &key)> handler);

// Runs `handler` each time `field` loses the input focus.
void onExit(QWidget *field, std::function<void()> handler);

// Moves the input focus on to the next control of the window, as Tab does.
void focusNextControl(QWidget *field);

inline constexpr char16_t kEnterKey = u'\r';
inline constexpr char16_t kBackspaceKey = u'\b';
