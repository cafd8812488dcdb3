#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/LanguageFile.h"
#include "app/LanguageTestFiles.h"
#include "app/TextFileLines.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

using test::ErrorOf;
using Lines = std::vector<std::wstring>;

TEST(TextFileLines, SplitsAtEveryKindOfLineBreak) {
    struct Case {
        const wchar_t* text;
        Lines lines;
    };
    const Case cases[] = {
        {L"a\r\nb", {L"a", L"b"}},
        {L"a\rb\nc", {L"a", L"b", L"c"}},
        {L"a\n\r\nb", {L"a", L"", L"b"}},
        {L"a\n", {L"a"}},
        {L"a\r\n\r\n", {L"a", L""}},
        {L"\n", {L""}},
        {L"", {}},
        {L"a\n\rb", {L"a", L"", L"b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.text));
        EXPECT_EQ(SplitLines(c.text), c.lines);
    }
}

TEST(TextFileLines, AByteOrderMarkChoosesTheEncoding) {
    // "Grüß €" and U+1F600, outside the basic plane.
    const std::wstring text = FromUtf16(u"Gr\u00FC\u00DF \u20AC\U0001F600");
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"UTF-8",
         "\xEF\xBB\xBF"
         "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"UTF-16 LE", std::string("\xFF\xFE"
                                  "G\0r\0\xFC\0\xDF\0 \0\xAC\x20\x3D\xD8\x00\xDE",
                                  18)},
        {"UTF-16 BE", std::string("\xFE\xFF"
                                  "\0G\0r\0\xFC\0\xDF\0 \x20\xAC\xD8\x3D\xDE\x00",
                                  18)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeTextBytes(c.bytes), text);
    }
    // A cut-off UTF-16 file keeps what it has and marks the stray byte.
    EXPECT_EQ(ToUtf16(DecodeTextBytes(std::string("\xFF\xFE"
                                                  "a\0b",
                                                  5))),
              u"a\uFFFD");
}

TEST(TextFileLines, WithoutAMarkTheTextIsInTheAnsiCodePage) {
    const std::string bytes = "Gr\xFC\xDF";
    EXPECT_EQ(DecodeTextBytes(bytes), FromAnsi(bytes));
    EXPECT_EQ(DecodeTextBytes("\xEF\xBB"), FromAnsi("\xEF\xBB")) << "half a mark is text";
#ifndef _WIN32
    EXPECT_EQ(ToUtf16(DecodeTextBytes(bytes)), u"Gr\u00FC\u00DF");
#endif
}

TEST(LanguageFile, DecodesEscapesInValues) {
    struct Case {
        const wchar_t* value;
        const wchar_t* decoded;
    };
    const Case cases[] = {
        {L"one\\ntwo", L"one\r\ntwo"},
        {L"a\\tb", L"a\tb"},
        {L"C:\\\\Temp", L"C:\\Temp"},
        {L"\\\\n", L"\\n"},  // the pair is taken first, the n is plain
        {L"\\65\\066",
         L"A\x06"
         L"6"},
        {L"\\09x", L"\tx"},
        {L"\\6x \\x \\N \\T", L"\\6x \\x \\N \\T"},
        {L"end\\", L"end\\"},
        {L"\\n\\n", L"\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.value));
        EXPECT_EQ(DecodeEscapes(c.value), c.decoded);
    }
}

TEST(LanguageFile, ReadsSectionsPairsAndComments) {
    const Lines lines = {
        L"  LANGID = 1049  ",
        L"Author=someone",
        L"\t[ $constants ]\t",
        L"; Wrong_password=commented out",
        L"Cancel = &Otmena ",
        L"Exit",             // no "=": ignored
        L"=no name",         // empty name: ignored
        L"Percent=%d = %d",  // split at the first "="
        L"[]",               // too short for a section: no "=", ignored
        L"[MainForm",        // not a section either
        L"Next_=Dalee\\n>",
        L"[MainForm]",
        L"2=Gotovo",
        L"0=zero",
        L"-3=negative",
        L"x1=name",
        L"007=leading zeros",
        L"99999999999=too large",
        L"[Other]",
        L"2=other window",
        L"[$CONSTANTS]",
        L"Show=Pokazat",
    };
    const TLanguageFile file = TLanguageFile::Parse(lines);
    EXPECT_EQ(file.LanguageId(), 1049);

    std::vector<std::pair<std::wstring, std::wstring>> constants;
    for (const auto& entry : file.Constants().Entries())
        constants.emplace_back(entry.key, entry.text);
    EXPECT_EQ(constants,
              (std::vector<std::pair<std::wstring, std::wstring>>{{L"Cancel", L"&Otmena"},
                                                                  {L"Next_", L"Dalee\r\n>"},
                                                                  {L"Percent", L"%d = %d"},
                                                                  {L"Show", L"Pokazat"}}));

    ASSERT_NE(file.WindowTexts(L"mainform"), nullptr);
    EXPECT_EQ(*file.WindowTexts(L"MainForm"),
              (TLanguageFile::TPropertyTexts{{2, L"Gotovo"}, {7, L"leading zeros"}}));
    ASSERT_NE(file.WindowTexts(L"Other"), nullptr);
    EXPECT_EQ(*file.WindowTexts(L"Other"), (TLanguageFile::TPropertyTexts{{2, L"other window"}}));
    EXPECT_EQ(file.WindowTexts(L"OptionsForm"), nullptr);
}

TEST(LanguageFile, TheHeaderEndsAtTheFirstSection) {
    struct Case {
        Lines lines;
        std::uint16_t id;
    };
    const Case cases[] = {
        {{L"LANGID=1031"}, 1031},
        {{L"; comment", L"", L"langid=1049"}, 1049},
        {{L"LANGID=1031", L"LANGID=1049"}, 1031},
        {{L"Author=x"}, 0},
        {{L"LANGID="}, 0},
        {{L"LANGID=abc"}, 0},
        {{L"LANGID=-1031"}, 0},
        {{L"LANGID=10 31"}, 0},
        {{L"LANGID=70000"}, 0},
        {{L"LANGID=65535"}, 65535},
        {{L"LANGID=0"}, 0},
        {{L"[MainForm]", L"LANGID=1031"}, 0},
        {{L"[$CONSTANTS]", L"LANGID=1031"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.lines.back()));
        EXPECT_EQ(ReadLanguageId(c.lines), c.id);
        EXPECT_EQ(TLanguageFile::Parse(c.lines).LanguageId(), c.id);
    }
}

TEST(LanguageFile, ErrorsNameTheLineFromZero) {
    struct Case {
        Lines lines;
        const wchar_t* error;
    };
    const Case cases[] = {
        {{L"LANGID=1031", L"", L"[$CONSTANTS]", L"; note", L"1abc=x"},
         L"Loading translations failed.\r\nLine 4: Invalid constant name (\"1abc\")"},
        {{L"[$Constants]", L"Wrong_password=a", L"[MainForm]", L"[$CONSTANTS]",
          L"WRONG_PASSWORD=b"},
         L"Loading translations failed.\r\nLine 4: Duplicate constant name (\"WRONG_PASSWORD\")"},
        {{L"[MainForm]", L"12=a", L"12=b"},
         L"Loading translations failed.\r\nLine 2: Duplicate property value translation ID (12)"},
        {{L"[MainForm]", L"12=a", L"[Other]", L"12=b", L"[mainform]", L"012=c"},
         L"Loading translations failed.\r\nLine 5: Duplicate property value translation ID (12)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.error));
        EXPECT_EQ(ErrorOf([&] { TLanguageFile::Parse(c.lines); }), c.error);
    }
    // The header holds no catalogue keys, so a bad name there is only a parameter.
    EXPECT_EQ(ErrorOf([] { TLanguageFile::Parse({L"1abc=x", L"a-b=y"}); }), L"(no error)");
}

std::string Encoded(const std::string& encoding, const std::u16string& text) {
    if (encoding == "UTF-8")
        return "\xEF\xBB\xBF" + ToUtf8(FromUtf16(text));
    if (encoding == "ANSI")
        return ToAnsi(FromUtf16(text));
    const bool bigEndian = encoding == "UTF-16 BE";
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(LanguageFile, LoadsEveryEncodingAndCountsEveryLineBreak) {
    test::TempFolder folder;
    const std::wstring path = folder.Path(L"lang.lng");
    // CR, LF and CR LF all end a line: the repeated key stands on line 5.
    const std::u16string good =
        u"LANGID=1031\r[$CONSTANTS]\nExit=Schlie\u00DFen \\n \u20AC\r\n\r\nWrong_password=x\n";
    const std::u16string bad = good + u"wrong_password=y\r\n";
    const std::wstring exit = FromUtf16(u"Schlie\u00DFen \r\n \u20AC");

    for (const std::string encoding : {"UTF-8", "UTF-16 LE", "UTF-16 BE", "ANSI"}) {
        SCOPED_TRACE(encoding);
        // The ANSI code page may lack a character; the file then holds what it can.
        const std::wstring expected = encoding == "ANSI" ? FromAnsi(ToAnsi(exit)) : exit;

        test::WriteBytes(path, Encoded(encoding, good));
        EXPECT_EQ(ReadLanguageFileId(path), 1031);
        const TLanguageFile file = TLanguageFile::Load(path);
        ASSERT_NE(file.Constants().Find(L"Exit"), nullptr);
        EXPECT_EQ(*file.Constants().Find(L"Exit"), expected);

        test::WriteBytes(path, Encoded(encoding, bad));
        EXPECT_EQ(ErrorOf([&] { TLanguageFile::Load(path); }),
                  L"Loading translations failed.\r\nLine 5: Duplicate constant name "
                  L"(\"wrong_password\")");
    }
}

TEST(LanguageFile, AMissingFileRaisesTheOpenError) {
    test::TempFolder folder;
    const std::wstring path = folder.Path(L"gone.lng");
    EXPECT_EQ(ErrorOf([&] { ReadLanguageFileId(path); }).rfind(L"Cannot open file \"" + path, 0),
              0u);
    EXPECT_EQ(ErrorOf([&] { TLanguageFile::Load(path); }).rfind(L"Cannot open file \"" + path, 0),
              0u);
}

}  // namespace
}  // namespace dovrel
