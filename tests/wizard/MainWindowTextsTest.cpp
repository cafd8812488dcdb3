#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/File.h"
#include "platform/Text.h"
#include "support/TempFolder.h"
#include "wizard/DescriptionLines.h"
#include "wizard/PasswordEdits.h"
#include "wizard/StatusHint.h"
#include "wizard/WizardFakes.h"

namespace dovrel::test {
namespace {

TEST(DescriptionLines, FindWrapPositionCutsAfterTheLastBreakWithinTheWidth) {
    struct TCase {
        const wchar_t* text;
        int width;
        std::size_t position;
    };
    const TCase cases[] = {
        {L"", 5, 0},
        {L"abc", 5, 3},           // shorter than the width
        {L"ab cd ef", 0, 8},      // no width
        {L"ab cd ef", 5, 3},      // the space at 3 stays on the line
        {L"ab cd", 5, 3},         // as long as the width: cut all the same
        {L"abcd efgh", 4, 9},     // no break within the width: one line
        {L"a\\bcdefgh", 4, 2},    // a backslash breaks too
        {L"abcd efgh", 5, 5},     // the break at the width itself
        {L"ab-cd,ef gh", 7, 11},  // only spaces and backslashes break
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FindWrapPosition(c.text, c.width), c.position) << ToUtf8(c.text) << c.width;
}

TEST(DescriptionLines, ALongDescriptionWrapsAtTheLastSpaceWithinTheWidth) {
    const std::wstring text = L"Encrypt files and change their extension to .enc immediately";
    ASSERT_EQ(text.size(), 60u);
    const auto lines = DescriptionLines(text, 56);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"Encrypt files and change their extension to .enc ");
    EXPECT_EQ(lines[1], L"immediately");
    EXPECT_EQ(DescriptionLines(L"Securely delete files", 56),
              std::vector<std::wstring>{L"Securely delete files"});
    const std::wstring unbroken(80, L'x');
    EXPECT_EQ(DescriptionLines(unbroken, 56), std::vector<std::wstring>{unbroken});
    EXPECT_EQ(DescriptionLines(L"aa bb cc dd", 3),
              (std::vector<std::wstring>{L"aa ", L"bb ", L"cc ", L"dd"}));
}

TEST(DescriptionLines, TheWidthIsTheListInLettersLessFour) {
    EXPECT_EQ(ComputeDescriptionWrapWidth(360, 6), 56);
    EXPECT_EQ(ComputeDescriptionWrapWidth(360, 7), 47);
    EXPECT_EQ(ComputeDescriptionWrapWidth(360, 0), 0);
    SetDescriptionWrapWidth(56);
    EXPECT_EQ(DescriptionWrapWidth(), 56);
}

TEST(StatusHint, TheStatusShowsTheLongPartOfTheControlsHintElseOfTheStepText) {
    struct TCase {
        const wchar_t* control;
        const wchar_t* window;
        const wchar_t* status;
    };
    const TCase cases[] = {
        {L"Show next step", L"Encrypting files - Step 1 of 2", L"Show next step"},
        {L"Next|Show next step", L"", L"Show next step"},
        {L"a|b|c", L"", L"b|c"},
        {L"short|", L"step", L""},
        {L"", L"Encrypting files - Step 1 of 2", L"Encrypting files - Step 1 of 2"},
        {L"", L"", L""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(StatusText(c.control, c.window), c.status) << ToUtf8(c.control);
}

class PasswordEdits : public testing::Test {
protected:
    std::wstring FileWith(const std::string& bytes) {
        const std::wstring path = temp.Path(L"password.txt");
        TFileStream file(path, TFileMode::fmCreate);
        file.WriteBuffer(bytes.data(), bytes.size());
        return path;
    }

    TempFolder temp;
    TFakeMainWindow window;
};

TEST_F(PasswordEdits, EveryLineOfThePasswordFileEndsWithCrLf) {
    const std::pair<std::string, std::wstring> cases[] = {
        {"abc", L"abc\r\n"},
        {"abc\r\n", L"abc\r\n"},
        {"a\nb\rc", L"a\r\nb\r\nc\r\n"},
        {"\r\n", L"\r\n"},
        {"", L""},
        {"p\xE4ss", FromAnsi("p\xE4ss") + L"\r\n"},             // the ANSI code page
        {"\xEF\xBB\xBFp\xC3\xA4ss", L"p\u00E4ss\r\n"},          // UTF-8
        {std::string("\xFF\xFEp\0\xE4\0", 6), L"p\u00E4\r\n"},  // UTF-16
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(ReadPasswordFile(FileWith(bytes)), text) << bytes;
}

TEST_F(PasswordEdits, LoadingChangesThePasswordOnlyWhenAFileWasRead) {
    window.passwords[TCryptPage::Decrypt] = L"typed";
    LoadPasswordFromFile(window, TCryptPage::Decrypt);  // dialog cancelled
    EXPECT_EQ(window.passwords[TCryptPage::Decrypt], L"typed");

    window.passwordFile = temp.Path(L"missing.txt");
    EXPECT_THROW(LoadPasswordFromFile(window, TCryptPage::Decrypt), Error);
    EXPECT_EQ(window.passwords[TCryptPage::Decrypt], L"typed");

    window.passwordFile = FileWith("abc");
    LoadPasswordFromFile(window, TCryptPage::Decrypt);
    EXPECT_EQ(window.passwords[TCryptPage::Decrypt], L"abc\r\n");
    EXPECT_EQ(window.passwords[TCryptPage::Encrypt], L"");
}

TEST_F(PasswordEdits, EveryClickFlipsTheMasking) {
    ToggleMasking(window, TCryptPage::Encrypt);
    EXPECT_EQ(window.masks[TCryptPage::Encrypt], L'\0');
    EXPECT_EQ(window.masks[TCryptPage::Decrypt], L'*');
    ToggleMasking(window, TCryptPage::Encrypt);
    EXPECT_EQ(window.masks[TCryptPage::Encrypt], L'*');
}

}  // namespace
}  // namespace dovrel::test
