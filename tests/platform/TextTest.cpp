#include <gtest/gtest.h>

#include "platform/Text.h"

namespace dovrel {
namespace {

TEST(Text, Utf8RoundTripsEveryPlane) {
    // a, e-acute, euro sign, and U+1F600 outside the basic plane.
    const std::wstring text = FromUtf16(u"a\u00E9\u20AC\U0001F600");
    EXPECT_EQ(ToUtf8(text), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(Text, InvalidUtf8BecomesReplacementCharacters) {
    struct Case {
        const char* bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"\xFF", u"\uFFFD"},              // never a lead byte
        {"a\xC3", u"a\uFFFD"},            // cut-off sequence
        {"\xC0\xAF", u"\uFFFD"},          // overlong "/"
        {"\xED\xA0\x80", u"\uFFFD"},      // encoded surrogate
        {"\xE2\x82x", u"\uFFFDx"},        // broken in the middle
        {"\xF4\x90\x80\x80", u"\uFFFD"},  // above U+10FFFF
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(ToUtf16(FromUtf8(c.bytes)), c.expected);
    }
}

TEST(Text, Utf16CodeUnitsIncludeSurrogatePairs) {
    const std::u16string units = u"x\U0001F600";
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(ToUtf16(FromUtf16(units)), units);
}

TEST(Text, AnsiKeepsAsciiEverywhere) {
    const std::wstring ascii = L"Password 123 !~";
    EXPECT_EQ(ToAnsi(ascii), "Password 123 !~");
    EXPECT_EQ(FromAnsi("Password 123 !~"), ascii);
}

#ifndef _WIN32
TEST(Text, AnsiIsWindows1252WithoutASystemCodePage) {
    EXPECT_EQ(ToAnsi(FromUtf16(u"\u20AC\u00E9\u0178")), "\x80\xE9\x9F");
    EXPECT_EQ(ToUtf16(FromAnsi("\x80\xE9\x9F\x81")), u"\u20AC\u00E9\u0178\u0081");
    // Characters the code page lacks become question marks.
    EXPECT_EQ(ToAnsi(FromUtf16(u"\u03A9\U0001F600")), "??");
}
#endif

}  // namespace
}  // namespace dovrel
