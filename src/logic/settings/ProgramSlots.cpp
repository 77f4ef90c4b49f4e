#include "logic/settings/ProgramSlots.h"

#include "logic/common/Numbers.h"

namespace ProgramSlots {

int AnzahlProgramme(const Settings &settings)
{
    int count = 0;
    for (const QString &path : settings.ExterneProgramme)
        count += path.isEmpty() ? 0 : 1;
    return count;
}

std::optional<int> freeSlot(const Settings &settings)
{
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (settings.ExterneProgramme[slot - 1].isEmpty())
            return slot;
    }
    return std::nullopt;
}

QString caption(int slot, const QString &path)
{
    const QString fileName = path.mid(path.lastIndexOf(u'/') + 1);
    // The extension is what follows the last dot; a dot that starts the name (".profile")
    // begins no extension, and a name without a dot ("run") stays whole.
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return QStringLiteral("&%1 ").arg(slot) + (dot > 0 ? fileName.left(dot) : fileName);
}

std::optional<int> slotOfCaption(const QString &caption)
{
    const qsizetype blank = caption.indexOf(u' ');
    const QString digits = blank < 1 ? QString() : caption.mid(1, blank - 1);
    const int slot = Numbers::strToInt(digits);
    if (slot < 1 || slot > kSlots)
        return std::nullopt;
    return slot;
}

QString programFolder(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

} // namespace ProgramSlots
