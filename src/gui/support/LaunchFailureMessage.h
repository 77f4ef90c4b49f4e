#pragma once

class Dialogs;
class QString;
class QWidget;

// Tells the user that the desktop could not open `file` (a launcher result of 32 or below), in
// a warning box; a success shows nothing. The program does not wait for a started program.
void reportLaunchFailure(Dialogs &dialogs, QWidget *parent, const QString &file, int code);
