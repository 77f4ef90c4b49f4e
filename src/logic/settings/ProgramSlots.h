#pragma once

#include "logic/settings/Settings.h"

#include <optional>

// The nine slots of the programs the user adds to the menu "&Programme".
namespace ProgramSlots {

constexpr int kSlots = 9;

// How many slots hold a program.
int AnzahlProgramme(const Settings &settings);

// The slot (1..9) a new program goes into: the first free one, so a slot that already holds a
// program is never overwritten; none when all nine are taken.
std::optional<int> freeSlot(const Settings &settings);

// "&" + slot + " " + the file name without its folder and without its extension, the text
// after its last dot ("&1 gpsbabel" for ".../gpsbabel.exe", "&2 run" for ".../run.sh"; a
// Linux program without a dot keeps its whole name).
QString caption(int slot, const QString &path);

// The slot number of a caption made by caption(): the characters from the second one up to the
// first blank. Throws the integer error when they are not a number; none when the number is not
// a slot.
std::optional<int> slotOfCaption(const QString &caption);

// The folder a program is started in: its path up to the last "/", empty when it has none.
QString programFolder(const QString &path);

} // namespace ProgramSlots
