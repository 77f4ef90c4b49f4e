#pragma once

#include "logic/common/FileVersion.h"

#include <QString>

// Small services of the operating system that start-up needs.
namespace SystemInfo {

// Reads the version the build stamped into a program file. Not-ok (and `version` untouched)
// when the file cannot be read or carries no version.
bool FileVersionOf(const QString &path, FileVersion &version);

// The user's temporary folder, ending with "/".
QString tempPath();

// Whether the development environment's main window is open. There is none on Linux.
bool developmentEnvironmentRunning();

} // namespace SystemInfo
