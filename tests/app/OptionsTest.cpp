#include <gtest/gtest.h>

#include "app/OptionsUnit.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/PortableIniFile.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

class Options : public testing::Test {
protected:
    TOptions Open() { return TOptions(OpenIniFile(temp.Path(L"options.ini"))); }
    void Store(const std::wstring& key, const std::wstring& value) {
        OpenIniFile(temp.Path(L"options.ini"))->WriteString(L"Options", key, value);
    }

    test::TempFolder temp;
};

TEST_F(Options, MissingFileGivesTheDefaults) {
    auto options = Open();
    EXPECT_TRUE(options.ReadBool(L"IntegrateContextMenu", true));
    EXPECT_FALSE(options.ReadBool(L"CascadeContextMenu", false));
    EXPECT_EQ(options.ReadInteger(L"LanguageID", 1033), 1033);
    EXPECT_EQ(options.ReadString(L"LanguageID", L"1033"), L"1033");
}

TEST_F(Options, BooleansAreIntegersThatAreNotZero) {
    const struct {
        const wchar_t* stored;
        bool expected;
    } cases[] = {{L"2", true},   {L"1", true}, {L"0", false},
                 {L"yes", true}, {L"", true},  {L"$0", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.stored)));
        Store(L"IntegrateContextMenu", c.stored);
        EXPECT_EQ(Open().ReadBool(L"IntegrateContextMenu", true), c.expected);
    }
}

TEST_F(Options, IntegersAreDecimalOrHexadecimal) {
    const struct {
        const wchar_t* stored;
        std::int32_t expected;
    } cases[] = {
        {L"1049", 1049},    {L"0x419", 1049},   {L"0X419", 1049},   {L"$419", 1049},
        {L"-5", -5},        {L"0x", 7},         {L"12a", 7},        {L"2147483647", 2147483647},
        {L"2147483648", 7}, {L"$FFFFFFFF", -1}, {L"$100000000", 7}, {L"", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.stored)));
        Store(L"LanguageID", c.stored);
        EXPECT_EQ(Open().ReadInteger(L"LanguageID", 7), c.expected);
    }
    // The catalogues read the same key as text and see it unchanged.
    Store(L"LanguageID", L"0x419");
    EXPECT_EQ(Open().ReadString(L"LanguageID", L"1033"), L"0x419");
}

TEST_F(Options, WritingABooleanCreatesFileAndSection) {
    Open().WriteBool(L"IntegrateContextMenu", false);
    Open().WriteBool(L"CascadeContextMenu", true);
    TFileStream file(temp.Path(L"options.ini"), TFileMode::fmOpenRead);
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), bytes.size());
    EXPECT_EQ(bytes, "[Options]\r\nIntegrateContextMenu=0\r\nCascadeContextMenu=1\r\n");
}

TEST_F(Options, AFailedWriteNamesTheFile) {
    const std::wstring path = temp.Path(L"missing") + kPathDelim + L"options.ini";
    TOptions options(OpenIniFile(path));
    try {
        options.WriteBool(L"IntegrateContextMenu", true);
        FAIL() << "the write must fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Unable to write to " + path);
    }
    EXPECT_TRUE(options.ReadBool(L"IntegrateContextMenu", true));
}

}  // namespace
}  // namespace dovrel
