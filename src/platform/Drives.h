#pragma once

#include <cstdint>
#include <memory>

namespace dovrel {

// GetDriveType's answers.
enum class TDriveType : std::uint32_t {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

class TDrives {
public:
    virtual ~TDrives() = default;

    // Bit n set: drive letter 'A' + n exists.
    virtual std::uint32_t LogicalDriveMask() = 0;
    virtual TDriveType DriveType(wchar_t letter) = 0;
    // A drive is ready when its size can be read; the system's critical-error boxes
    // ("insert a disk") stay off while it is asked.
    virtual bool IsDriveReady(wchar_t letter) = 0;
};

// The system's drives (Windows); none elsewhere.
std::unique_ptr<TDrives> CreateSystemDrives();

}  // namespace dovrel
