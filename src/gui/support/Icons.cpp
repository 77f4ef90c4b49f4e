#include "gui/support/Icons.h"

namespace Icons {

QList<int> applicationSizes()
{
    return {16, 22, 24, 32, 48, 64, 128, 256};
}

QList<int> actionSizes()
{
    return {16, 22, 24, 32, 48};
}

QIcon application()
{
    QIcon icon;
    for (int size : applicationSizes())
        icon.addFile(QStringLiteral(":/icons/quarvel-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon own(const char *name)
{
    QIcon icon;
    for (int size : actionSizes()) {
        icon.addFile(QStringLiteral(":/icons/actions/%1-%2.png").arg(QLatin1String(name)).arg(size),
                     QSize(size, size));
    }
    return icon;
}

QIcon action(const char *freedesktopName)
{
    return QIcon::fromTheme(QLatin1String(freedesktopName), own(freedesktopName));
}

} // namespace Icons
