// Stamps the program's version into the executable as an ELF note, where FileVersionOf finds it.

#include <cstdint>

namespace {

struct VersionNote
{
    uint32_t nameSize;
    uint32_t descSize;
    uint32_t type;
    char name[8];
    uint16_t numbers[4];
};

[[gnu::used, gnu::section(".note.quarvel.version"), gnu::aligned(4)]] const VersionNote kNote = {
    8,
    8,
    0x51564552,
    "Quarvel",
    {QUARVEL_VERSION_MAJOR, QUARVEL_VERSION_MINOR, QUARVEL_VERSION_PATCH, QUARVEL_VERSION_TWEAK}};

} // namespace
