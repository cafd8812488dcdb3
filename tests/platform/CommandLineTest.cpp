// The splitting of a Windows command line into the program's path and its arguments.
#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/CommandLine.h"

namespace dovrel {
namespace {

using Args = std::vector<std::wstring>;

const struct {
    const wchar_t* line;
    Args args;
} kCases[] = {
    {L"Dovrel.exe", {L"Dovrel.exe"}},
    {L"\"C:\\Program Files\\Dovrel.exe\" -e", {L"C:\\Program Files\\Dovrel.exe", L"-e"}},
    // The path takes no escapes and ends at its closing quote.
    {L"\"C:\\a\\\"b c", {L"C:\\a\\", L"b", L"c"}},
    {L"C:\\x\\p.exe\t a  \t b ", {L"C:\\x\\p.exe", L"a", L"b"}},
    {L"p \"a b\" c\"d e\"f", {L"p", L"a b", L"cd ef"}},
    {L"p \"\" \"\"", {L"p", L"", L""}},
    {L"p C:\\dir\\ \"C:\\dir\\\\\"", {L"p", L"C:\\dir\\", L"C:\\dir\\"}},
    {L"p a\\\\\\b", {L"p", L"a\\\\\\b"}},
    {L"p a\\\"b", {L"p", L"a\"b"}},
    {L"p a\\\\\\\"b", {L"p", L"a\\\"b"}},
    {L"p a\\\\\"b c\" d", {L"p", L"a\\b c", L"d"}},
    // Quotes in a row: the one after a closing quote is literal.
    {L"p \"a\"\"b\" c", {L"p", L"a\"b c"}},
    {L"p \"\"\"a\"\"\" b", {L"p", L"\"a\"", L"b"}},
    {L"p \"\"\"\" x", {L"p", L"\" x"}},
    {L"p \"unclosed arg", {L"p", L"unclosed arg"}},
    {L"p -e \"C:\\Users\\Zoë\\Ünïcode €.txt\"", {L"p", L"-e", L"C:\\Users\\Zoë\\Ünïcode €.txt"}},
    {L" lead", {L"", L"lead"}},
};

TEST(CommandLine, SplitsByTheWindowsRules) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)));
        EXPECT_EQ(SplitCommandLine(c.line), c.args);
    }
    EXPECT_EQ(SplitCommandLine(L""), Args{L""});
}

#ifdef _WIN32
Args SystemSplit(const std::wstring& line) {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(line.c_str(), &count);
    if (argv == nullptr)
        return {};
    const Args system(argv, argv + count);
    LocalFree(argv);
    return system;
}

// The system's own splitter is the reference: the cases above and lines made of the
// characters that matter, every one must come out alike.
TEST(CommandLine, AgreesWithTheSystem) {
    std::vector<std::wstring> lines;
    for (const auto& c : kCases) {
        if (*c.line != L'\0')  // the system answers an empty line with its own path
            lines.emplace_back(c.line);
    }
    std::uint32_t state = 12345;
    for (int n = 0; n < 3000; ++n) {
        // Every other line tests the program's path too.
        std::wstring line = n % 2 == 0 ? L"p " : L"";
        for (int length = n % 14 + 1; length > 0; --length) {
            state = state * 1103515245u + 12345u;
            line += L"a \t\"\\"[(state >> 16) % 5];
        }
        lines.push_back(line);
    }
    for (const std::wstring& line : lines) {
        SCOPED_TRACE(testing::PrintToString(line));
        ASSERT_EQ(SplitCommandLine(line), SystemSplit(line));
    }
}
#endif

}  // namespace
}  // namespace dovrel
