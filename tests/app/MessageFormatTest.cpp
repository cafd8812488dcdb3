#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "app/MessageFormat.h"
#include "platform/Text.h"

namespace dovrel {
namespace {

TEST(MessageFormat, FillsCataloguePlaceholders) {
    EXPECT_EQ(FormatMessageText(L"%d files were %s", 218, L"encrypted"),
              L"218 files were encrypted");
    EXPECT_EQ(FormatMessageText(L"%d%% completed...", 42), L"42% completed...");
    EXPECT_EQ(FormatMessageText(L"%d of %d", std::int64_t{5'000'000'000}, std::size_t{7}),
              L"5000000000 of 7");
    EXPECT_EQ(FormatMessageText(L"%d", std::numeric_limits<std::int64_t>::min()),
              L"-9223372036854775808");
    EXPECT_EQ(FormatMessageText(L"Enter vaild password for %s", std::wstring(L"C:\\a%d.enc")),
              L"Enter vaild password for C:\\a%d.enc")
        << "an argument's own percent signs are not placeholders";
}

// A translated pattern is outside data: whatever it holds, the result is readable.
TEST(MessageFormat, PatternsThatDoNotFitTheirArgumentsStayHarmless) {
    struct Case {
        const wchar_t* pattern;
        const wchar_t* expected;
    };
    // Every case is given the arguments (3, "files").
    const Case cases[] = {
        {L"%d of %d of %d", L"3 of files of %d"},  // missing argument stays as written
        {L"%s %d", L"3 files"},                    // kinds swapped: shown anyway
        {L"plain", L"plain"},                      // arguments left over are dropped
        {L"100%", L"100%"},                        // lone percent at the end
        {L"%x %5d %", L"%x %5d %"},                // unknown conversions are kept
        {L"%%d %%%s", L"%d %3"},                   // an escaped percent is no placeholder
        {L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.pattern));
        EXPECT_EQ(FormatMessageText(c.pattern, 3, L"files"), c.expected);
    }
    EXPECT_EQ(FormatMessageText(L"%s and %d"), L"%s and %d");
}

}  // namespace
}  // namespace dovrel
