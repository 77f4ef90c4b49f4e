#pragma once

#include <QString>

// What the program says when the desktop launcher could not open `file` (a result of 32 or
// below): on Windows the shell shows such a message itself, on Linux nobody else does. Names
// what was looked for; for the Windows program names with a Linux stand-in it names the
// packages that would provide one. Empty for a success (above 32).
QString launchFailureText(const QString &file, int code);
