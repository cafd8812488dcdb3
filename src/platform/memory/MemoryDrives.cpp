#include "platform/memory/MemoryDrives.h"

namespace dovrel {

std::uint32_t TMemoryDrives::LogicalDriveMask() {
    std::uint32_t mask = 0;
    for (const auto& [letter, drive] : drives_) {
        if (letter >= L'A' && letter <= L'Z')
            mask |= 1u << (letter - L'A');
    }
    return mask;
}

TDriveType TMemoryDrives::DriveType(wchar_t letter) {
    const auto found = drives_.find(Upper(letter));
    return found == drives_.end() ? TDriveType::NoRootDir : found->second.type;
}

bool TMemoryDrives::IsDriveReady(wchar_t letter) {
    const auto found = drives_.find(Upper(letter));
    return found != drives_.end() && found->second.ready;
}

}  // namespace dovrel
