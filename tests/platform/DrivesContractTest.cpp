#include <gtest/gtest.h>

#include "platform/Drives.h"
#include "platform/memory/MemoryDrives.h"

namespace dovrel {
namespace {

TEST(MemoryDrives, ReportsTheDrivesItHolds) {
    TMemoryDrives drives;
    drives.Add(L'c', {TDriveType::Fixed, true});
    drives.Add(L'A', {TDriveType::Removable, false});
    EXPECT_EQ(drives.LogicalDriveMask(), 0b101u);
    EXPECT_EQ(drives.DriveType(L'C'), TDriveType::Fixed);
    EXPECT_FALSE(drives.IsDriveReady(L'A'));
    EXPECT_EQ(drives.DriveType(L'Q'), TDriveType::NoRootDir);
    EXPECT_FALSE(drives.IsDriveReady(L'Q'));
}

#ifdef _WIN32
// Every Wine prefix maps its system drive C: as a fixed, ready drive.
TEST(SystemDrives, SeeTheSystemDrive) {
    auto drives = CreateSystemDrives();
    EXPECT_TRUE(drives->LogicalDriveMask() & (1u << 2));
    EXPECT_EQ(drives->DriveType(L'C'), TDriveType::Fixed);
    EXPECT_TRUE(drives->IsDriveReady(L'C'));
    const std::uint32_t mask = drives->LogicalDriveMask();
    for (int n = 0; n < 26; ++n) {
        if ((mask & (1u << n)) == 0) {
            EXPECT_EQ(drives->DriveType(static_cast<wchar_t>(L'A' + n)), TDriveType::NoRootDir);
        }
    }
}
#endif

}  // namespace
}  // namespace dovrel
