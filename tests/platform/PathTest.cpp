#include <gtest/gtest.h>

#include "platform/Path.h"

namespace dovrel {
namespace {

TEST(Path, SplitsAtTheLastSeparator) {
    const struct {
        const wchar_t* path;
        const wchar_t* folder;
        const wchar_t* name;
    } cases[] = {
#ifdef _WIN32
        {L"C:\\Program Files\\Dovrel\\Dovrel.exe", L"C:\\Program Files\\Dovrel\\", L"Dovrel.exe"},
        {L"C:report.txt", L"C:", L"report.txt"},
        {L"D:/data/a.enc", L"D:/data/", L"a.enc"},
        {L"C:\\", L"C:\\", L""},
#else
        {L"/opt/dovrel/bin/dovrel-cli", L"/opt/dovrel/bin/", L"dovrel-cli"},
        {L"/", L"/", L""},
        {L"a:b.txt", L"", L"a:b.txt"},
#endif
        {L"report.txt", L"", L"report.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        EXPECT_EQ(ExtractFilePath(c.path), c.folder);
        EXPECT_EQ(ExtractFileName(c.path), c.name);
    }
}

}  // namespace
}  // namespace dovrel
