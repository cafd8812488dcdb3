#include <windows.h>

#include "platform/Drives.h"

namespace dovrel {

namespace {

class TWin32Drives final : public TDrives {
public:
    std::uint32_t LogicalDriveMask() override { return GetLogicalDrives(); }

    TDriveType DriveType(wchar_t letter) override {
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        return static_cast<TDriveType>(GetDriveTypeW(root));
    }

    bool IsDriveReady(wchar_t letter) override {
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        // An empty floppy or card reader would otherwise ask the user to insert a disk.
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        ULARGE_INTEGER total;
        const bool ready = GetDiskFreeSpaceExW(root, nullptr, &total, nullptr) != 0;
        SetErrorMode(previous);
        return ready;
    }
};

}  // namespace

std::unique_ptr<TDrives> CreateSystemDrives() {
    return std::make_unique<TWin32Drives>();
}

}  // namespace dovrel
