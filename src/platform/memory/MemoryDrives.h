#pragma once

#include <map>

#include "platform/Drives.h"

namespace dovrel {

// Drives for tests: letters with a type and a readiness each.
class TMemoryDrives final : public TDrives {
public:
    struct Drive {
        TDriveType type = TDriveType::Fixed;
        bool ready = true;
    };

    void Add(wchar_t letter, Drive drive) { drives_[Upper(letter)] = drive; }

    std::uint32_t LogicalDriveMask() override;
    TDriveType DriveType(wchar_t letter) override;
    bool IsDriveReady(wchar_t letter) override;

private:
    static wchar_t Upper(wchar_t c) {
        return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c;
    }

    std::map<wchar_t, Drive> drives_;
};

}  // namespace dovrel
