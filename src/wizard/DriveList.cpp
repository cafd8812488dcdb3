#include "wizard/DriveList.h"

namespace dovrel {

namespace {

constexpr int kLetterCount = 26;

bool IsPickable(TDriveType type) {
    switch (type) {
        case TDriveType::Removable:
        case TDriveType::Fixed:
        case TDriveType::Remote:
        case TDriveType::CdRom:
        case TDriveType::RamDisk:
            return true;
        case TDriveType::Unknown:
        case TDriveType::NoRootDir:
            break;
    }
    return false;
}

}  // namespace

std::vector<std::wstring> GetDrives(TDrives& drives) {
    std::vector<std::wstring> found;
    const std::uint32_t mask = drives.LogicalDriveMask();
    for (int n = 0; n < kLetterCount; ++n) {
        if ((mask & (std::uint32_t{1} << n)) == 0)
            continue;
        const auto letter = static_cast<wchar_t>(L'A' + n);
        if (!drives.IsDriveReady(letter) || !IsPickable(drives.DriveType(letter)))
            continue;
        found.push_back(std::wstring(1, letter) + L":");
    }
    return found;
}

bool IsDriveReady(TDrives& drives, wchar_t letter) {
    if (letter >= L'a' && letter <= L'z')
        letter = static_cast<wchar_t>(letter - L'a' + L'A');
    if (letter < L'A' || letter > L'Z')
        return false;
    return drives.IsDriveReady(letter);
}

}  // namespace dovrel
