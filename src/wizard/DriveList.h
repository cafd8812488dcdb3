#pragma once

#include <string>
#include <vector>

#include "platform/Drives.h"

namespace dovrel {

// The drives a user can pick, A: to Z:, as an upper-case letter and a colon ("C:"). A drive
// whose size cannot be read (no medium, not ready) is left out, and so are drives of an
// unknown type or without a root.
std::vector<std::wstring> GetDrives(TDrives& drives);

// False for anything but a letter A to Z (either case); otherwise whether the drive's size
// can be read.
bool IsDriveReady(TDrives& drives, wchar_t letter);

}  // namespace dovrel
