#pragma once

#include "logic/common/WindowsVersion.h"

#include <cstdint>

// The memory figures the information window shows, in bytes.
struct MemoryStatus
{
    uint64_t totalPhys = 0;
    uint64_t availPhys = 0;
    uint64_t totalPageFile = 0;
    uint64_t availPageFile = 0;
};

// What the running operating system says about itself. The Linux implementation reads uname,
// /etc/os-release and sysinfo; tests pass a fake.
class OsInfo
{
public:
    virtual ~OsInfo() = default;
    virtual OsVersionRecord versionRecord() = 0;
    virtual MemoryStatus memoryStatus() = 0;

    // The running system's; lives for the whole program.
    static OsInfo &system();
};
