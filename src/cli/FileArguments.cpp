#include "cli/FileArguments.h"

#include <QFileInfo>

namespace Cli {
namespace {

// No path the system opens is longer than this many bytes; a UTF-8 name has at least as many
// bytes as UTF-16 units.
constexpr qsizetype kMaxPathLength = 4096;

} // namespace

// The runner joins the file names of the command line with blanks; a name that itself holds
// blanks is found again by taking words together until they name an existing file. Words taken
// together beyond the longest path name no file, so each word is looked at a bounded number of
// times and a long line of words costs linear time.
QStringList fileNames(const QString &input)
{
    if (QFileInfo::exists(input))
        return {input};
    QStringList names;
    QString current;
    for (const QString &word : input.split(u' ', Qt::SkipEmptyParts)) {
        current = current.isEmpty() ? word : current + u' ' + word;
        if (current.size() > kMaxPathLength)
            break;
        if (QFileInfo::exists(current)) {
            names.append(current);
            current.clear();
        }
    }
    if (!current.isEmpty())
        names.append(current.section(u' ', 0, 0)); // the first name that is not there; reading
                                                   // stops at it, so what follows is not needed
    return names;
}

} // namespace Cli
