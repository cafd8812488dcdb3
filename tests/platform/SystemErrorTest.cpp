#include <gtest/gtest.h>

#include "platform/SystemError.h"

namespace dovrel {
namespace {

TEST(SystemError, TrimsWhatWouldBreakASentence) {
    EXPECT_EQ(TrimSystemText(L"The system cannot find the file specified.\r\n"),
              L"The system cannot find the file specified");
    EXPECT_EQ(TrimSystemText(L"Access is denied. . "), L"Access is denied");
    EXPECT_EQ(TrimSystemText(L"v1.2 unchanged"), L"v1.2 unchanged");
    EXPECT_EQ(TrimSystemText(L" .\t"), L"");
}

TEST(SystemError, NamesTheReasonOfAMissingFile) {
    // 2 is ERROR_FILE_NOT_FOUND on Windows and ENOENT elsewhere.
    const std::wstring text = SystemErrorText(2);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), L'.');
    EXPECT_NE(text.back(), L'\n');
}

}  // namespace
}  // namespace dovrel
