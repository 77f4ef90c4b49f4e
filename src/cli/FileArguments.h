#pragma once

#include <QString>
#include <QStringList>

namespace Cli {

// The file names of a command line the runner joined with blanks. A name that itself holds
// blanks is found again by taking words together until they name an existing file; the first
// name that names nothing ends the list.
QStringList fileNames(const QString &input);

} // namespace Cli
