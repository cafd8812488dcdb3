#include <gtest/gtest.h>

#include "app/LoggerRecord.h"
#include "app/LoggerSymbols.h"
#include "platform/File.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

TRaisedException Raised(std::wstring className, std::wstring message) {
    TRaisedException raised;
    raised.className = std::move(className);
    raised.moduleName = L"Dovrel.exe";
    raised.moduleOffset = 0x1A2B0;
    raised.message = std::move(message);
    return raised;
}

TEST(LoggerRecord, AddressesAreUpperCaseHexOfAtLeastEightDigits) {
    EXPECT_EQ(HexAddress(0x1234), L"00001234");
    EXPECT_EQ(HexAddress(0xABCDEF01), L"ABCDEF01");
    // A 64-bit address keeps all its digits.
    EXPECT_EQ(HexAddress(0x140001530), L"140001530");
}

TEST(LoggerRecord, DescriptionEndsTheMessageWithOneFullStop) {
    const struct {
        const wchar_t* message;
        const wchar_t* shown;
    } cases[] = {
        {L"Cannot open file \"options.ini\". Access is denied",
         L"Cannot open file \"options.ini\". Access is denied."},
        {L"Stream read error.", L"Stream read error."},
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExceptionDescription(Raised(L"dovrel::Error", c.message)),
                  std::wstring(L"Exception dovrel::Error in module Dovrel.exe at 0001A2B0.\r\n") +
                      c.shown + L"\r\n")
            << c.message;
    }
}

TEST(LoggerRecord, DescriptionIsCutTo1023Characters) {
    const std::wstring text = ExceptionDescription(Raised(L"E", std::wstring(2000, L'x')));
    ASSERT_EQ(text.size(), 1023u);
    EXPECT_EQ(text.substr(0, 45), L"Exception E in module Dovrel.exe at 0001A2B0.");
    EXPECT_EQ(text.back(), L'x');
}

TEST(LoggerRecord, StackLineTakesTheFormOfWhatIsKnown) {
    const TCodeAddress at{0x140012345, 0x140000000, 0x140001000, L"Dovrel.exe"};
    const struct {
        TSymbolInfo symbol;
        const wchar_t* line;
    } cases[] = {
        {{L"Logger", L"dovrel::LogLine", L"Logger.cpp", 42},
         L"[140012345] Logger.dovrel::LogLine (Line 42, \"Logger.cpp\")"},
        {{L"Logger", L"dovrel::LogLine", L"", 0}, L"[140012345] Logger.dovrel::LogLine"},
        {{L"", L"__cxa_throw", L"", 0}, L"[140012345] __cxa_throw"},
        {{}, L"(00011345) [140012345]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StackLine(at, c.symbol), c.line);
}

TEST(LoggerRecord, RecordFramesTheStackBetweenRulersOfFiftySixCharacters) {
    TRaisedException raised = Raised(L"std::out_of_range", L"vector");
    raised.stack = {{0x401010, 0x400000, 0x401000, L"a.exe"},
                    {0x402020, 0x400000, 0x401000, L"a.exe"}};
    const auto symbols = [](const TCodeAddress& at) {
        return at.address == 0x401010 ? TSymbolInfo{L"Unit", L"Routine", L"Unit.cpp", 7}
                                      : TSymbolInfo{};
    };
    const std::vector<std::wstring> expected{
        L"",
        L"Time: 5.3.10 14:07:09:042",
        L"Exception std::out_of_range in module Dovrel.exe at 0001A2B0.\r\nvector.\r\n",
        L"STACK TOP-----------------------------------------------",
        L"[00401010] Unit.Routine (Line 7, \"Unit.cpp\")",
        L"(00001020) [00402020]",
        L"STACK BOTTOM--------------------------------------------",
    };
    EXPECT_EQ(ExceptionRecordLines(raised, L"5.3.10 14:07:09:042", symbols), expected);
    EXPECT_EQ(std::wstring(kStackTop).size(), 56u);
    EXPECT_EQ(std::wstring(kStackBottom).size(), 56u);
}

// A module linked for 0x140000000: two routines with lines in Logger.cpp, the second one
// inlining a header; a routine of a library without lines; rows the reader must skip.
constexpr char kMap[] =
    "B 0000000140000000\r\n"
    "S 0000000140001000 dovrel::LogLine(std::wstring const&)\r\n"
    "S 0000000140001100 dovrel::LogMessage(std::wstring const&, std::wstring const&)\n"
    "S 0000000140001200 __cxa_throw\n"
    "garbage that is no row\n"
    "L 140001000 10 Logger.cpp\n"
    "L 140001010 11 Logger.cpp\n"
    "L 140001100 20 Logger.cpp\n"
    "L 140001120 300 basic_string.h\n"
    "L 140001120 301 basic_string.h\n"
    "L 140001140 21 Logger.cpp\n"
    "L 140001180 - Logger.cpp\n"
    "L 14000x000 5 broken.cpp\n";

TEST(LoggerSymbols, MapNamesUnitRoutineAndLineOfAnOffset) {
    const TSymbolMap map(kMap);
    const struct {
        std::uintptr_t offset;
        TSymbolInfo expected;
    } cases[] = {
        {0x1005, {L"Logger", L"dovrel::LogLine(std::wstring const&)", L"Logger.cpp", 10}},
        {0x10FF, {L"Logger", L"dovrel::LogLine(std::wstring const&)", L"Logger.cpp", 11}},
        // Inlined code keeps its routine's unit; the last row of one address describes it.
        {0x1130,
         {L"Logger", L"dovrel::LogMessage(std::wstring const&, std::wstring const&)",
          L"basic_string.h", 301}},
        {0x1150,
         {L"Logger", L"dovrel::LogMessage(std::wstring const&, std::wstring const&)", L"Logger.cpp",
          21}},
        // After the end of the line rows nothing but the routine is known.
        {0x1210, {L"", L"__cxa_throw", L"", 0}},
        {0x0FFF, {}},
    };
    for (const auto& c : cases) {
        const TSymbolInfo found = map.Lookup(c.offset);
        EXPECT_EQ(found.unit, c.expected.unit) << std::hex << c.offset;
        EXPECT_EQ(found.routine, c.expected.routine) << std::hex << c.offset;
        EXPECT_EQ(found.sourceFile, c.expected.sourceFile) << std::hex << c.offset;
        EXPECT_EQ(found.line, c.expected.line) << std::hex << c.offset;
    }
}

TEST(LoggerSymbols, StackAddressIsLookedUpAsTheCallBeforeIt) {
    test::TempFolder temp;
    const std::wstring module = temp.Path(L"Dovrel.exe");
    {
        TFileStream map(module + L".map", TFileMode::fmCreate);
        map.WriteBuffer(kMap, sizeof kMap - 1);
    }
    // Loaded elsewhere than linked for. A call ending LogLine returns to LogMessage's start.
    const std::uintptr_t base = 0x7FF600000000;
    const TSymbolInfo returned = LookupStackSymbol({base + 0x1100, base, base + 0x1000, module});
    EXPECT_EQ(returned.routine, L"dovrel::LogLine(std::wstring const&)");
    EXPECT_EQ(returned.line, 11u);

    const TSymbolInfo unknown =
        LookupStackSymbol({base + 0x1100, base, base + 0x1000, temp.Path(L"NoMap.dll")});
    EXPECT_TRUE(unknown.routine.empty());
}

}  // namespace
}  // namespace dovrel
