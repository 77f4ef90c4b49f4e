#pragma once

#include <QString>

class Dialogs;
class QWidget;

// Lets the user choose a folder, starting at `folder`. True when one was chosen; it then replaces
// `folder`, which otherwise keeps its value. A start that names no existing folder is dropped
// first. The platform's folder chooser offers a new-folder button and typing a path anyway and
// lists folders only, so no switches are needed for them.
bool BrowseForFolder(Dialogs &dialogs, QWidget *parent, const QString &title, QString &folder);
