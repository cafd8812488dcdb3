#include <gtest/gtest.h>

#include "app/FileMask.h"
#include "platform/Text.h"

namespace dovrel {
namespace {

TEST(FileMask, MatchesLikeAFolderListing) {
    struct Case {
        const wchar_t* name;
        const wchar_t* mask;
        bool matches;
    };
    const Case cases[] = {
        {L"Deutsch.lng", L"*.lng", true},
        {L"DEUTSCH.LNG", L"*.lng", true},
        {L".lng", L"*.lng", true},
        {L"a.b.lng", L"*.lng", true},
        {L"a.lngx", L"*.lng", false},
        {L"a.lng.bak", L"*.lng", false},
        {L"lng", L"*.lng", false},
        {L"ab", L"a?", true},
        {L"a", L"a?", false},
        {L"", L"*", true},
        {L"aXbYc", L"a*b*c", true},
        {L"acb", L"a*b*c", false},
        {L"abcbc", L"*bc", true},
        {L"x", L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.name) + " ~ " + ToUtf8(c.mask));
        EXPECT_EQ(MatchesFileMask(c.name, c.mask), c.matches);
    }
}

}  // namespace
}  // namespace dovrel
