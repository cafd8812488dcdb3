// The eleven schemes: their passes byte for byte, the catalogue and its descriptions, and
// shredding real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/AppFolders.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "shred/KISSRandomGenerator.h"
#include "shred/OverwritePasses.h"
#include "shred/RecordingStream.h"
#include "shred/ShredAlgorithms.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A pass as the settings page's table gives it: hexadecimal pattern bytes, or R (a fresh
// random byte at every position), C (one random byte repeated), I (the complement).
using Passes = std::vector<std::string>;

Passes GutmannPasses() {
    Passes p = {"924924", "R", "R", "R", "55", "AA", "924924", "492492", "249249"};
    const char* digits = "0123456789ABCDEF";
    for (int k = 0; k < 16; ++k)
        p.push_back(std::string(2, digits[k]));
    for (const char* s : {"924924", "492492", "249249", "6DB6DB", "B6DB6D", "DB6DB6"})
        p.push_back(s);
    p.insert(p.end(), 4, "R");
    return p;
}

const struct SchemeRow {
    const wchar_t* className;
    const wchar_t* listText;
    Passes passes;
} kSchemes[] = {
    {L"TZeroPass", L"Quick shred by filling with zero's", {"00"}},
    {L"TRandPass", L"Fast shred, space filled by random characters", {"R"}},
    {L"TAntiSoftRecover", L"Anti-software recovery tools", {"C", "00"}},
    {L"TNAVSOMF", L"NAVSO P-5239-26", {"FF", "FFFFFFFD", "R"}},
    {L"TNAVSORL", L"NAVSO P-5239-26 with RLL encoding scheme", {"R", "FFFFFFE4", "R"}},
    {L"TVSITR", L"German VSITR algorithm", {"00", "FF", "00", "FF", "00", "FF", "AA"}},
    {L"TGOST", L"Russian military standards GOST P50739-95", {"R", "R", "R", "00", "00", "00"}},
    {L"TSchneier", L"B. Schneier's algorithm", {"R", "00", "R", "R", "R", "R", "R"}},
    {L"TDOD", L"DOD 5220.22-M", {"C", "I", "R", "C", "C", "I", "R"}},
    {L"TBEYNDDOD",
     L"3+7+3 Beyond DoD Standards",
     {"C", "C", "C", "C", "I", "R", "C", "C", "I", "R", "C", "C", "C"}},
    {L"TGUTMANN", L"Guttman algorithm", GutmannPasses()},
};

Bytes ParseHex(const std::string& hex) {
    Bytes bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// The content each pass leaves, foreseen from the random state before the scheme starts:
// the C passes draw first, in pass order, then the R passes draw while they write. Random
// bytes are draws modulo 255, so none is FF.
std::vector<Bytes> ForeseePasses(const Passes& passes, Bytes content, TKissState& state) {
    std::vector<std::uint8_t> values;
    for (const std::string& p : passes) {
        if (p == "C")
            values.push_back(static_cast<std::uint8_t>(state.Next() % 255));
    }
    std::vector<Bytes> result;
    std::size_t nextValue = 0;
    for (const std::string& p : passes) {
        if (p == "R") {
            for (auto& b : content)
                b = static_cast<std::uint8_t>(state.Next() % 255);
        } else if (p == "C") {
            std::fill(content.begin(), content.end(), values[nextValue++]);
        } else if (p == "I") {
            for (auto& b : content)
                b = static_cast<std::uint8_t>(255 - b);
        } else {
            const Bytes pattern = ParseHex(p);
            for (std::size_t i = 0; i < content.size(); ++i)
                content[i] = pattern[i % pattern.size()];
        }
        result.push_back(content);
    }
    return result;
}

Bytes Content(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 131 + 7);
    return b;
}

// Where two contents first differ, for a readable failure.
std::string FirstDifference(const Bytes& actual, const Bytes& expected) {
    if (actual.size() != expected.size())
        return "size " + std::to_string(actual.size()) + " != " + std::to_string(expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i]) {
            return "byte " + std::to_string(i) + ": " + std::to_string(actual[i]) +
                   " != " + std::to_string(expected[i]);
        }
    }
    return "";
}

Bytes ReadAll(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    Bytes bytes(static_cast<std::size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void WriteAll(const std::wstring& path, const Bytes& bytes) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(bytes.data(), bytes.size());
}

bool Exists(const std::wstring& path) {
    return GetAttributeData(path).has_value();
}

class ShredSchemes : public testing::Test {
protected:
    void SetUp() override {
        InitAppFolders(temp.Path(L"data"));
        BuildShredCatalogue();
        events.OnCheckCancel = [this] {
            return cancelAfterReports >= 0 &&
                   reports.size() >= static_cast<std::size_t>(cancelAfterReports);
        };
        events.OnProgress = [this](std::int64_t done, std::int64_t total, std::int64_t delta,
                                   double seconds) {
            reports.push_back({done, total, delta});
            EXPECT_GE(seconds, 0.0);
            if (onProgress)
                onProgress();
        };
    }
    void TearDown() override { ReleaseShredCatalogue(); }

    TShredAlgorithm& Scheme(std::size_t index) { return *ShredCatalogue().at(index); }

    test::TempFolder temp;
    TOperationEvents events;
    std::vector<std::vector<std::int64_t>> reports;
    int cancelAfterReports = -1;
    std::function<void()> onProgress;
};

TEST_F(ShredSchemes, CatalogueHoldsTheElevenSchemesInListOrder) {
    ASSERT_EQ(ShredCatalogue().size(), std::size(kSchemes));
    for (std::size_t i = 0; i < std::size(kSchemes); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::wstring(Scheme(i).ClassName()), kSchemes[i].className);
        EXPECT_EQ(std::wstring(ShredListText(i)), kSchemes[i].listText);
        EXPECT_EQ(Scheme(i).PassCount(), kSchemes[i].passes.size());
    }
}

TEST_F(ShredSchemes, EveryPassWritesTheBytesOfTheTable) {
    for (std::size_t index = 0; index < std::size(kSchemes); ++index) {
        for (const std::size_t size : {0, 1, 5, 6, 65536, 100000}) {
            SCOPED_TRACE(testing::Message()
                         << testing::PrintToString(std::wstring(kSchemes[index].className)) << ", "
                         << size << " bytes");
            TKissState state = KissStateNow();
            const TGeneratorList generators = Scheme(index).CreateGenerators();
            test::RecordingStream stream(Content(size));
            OverwritePasses(stream, generators, events, [&stream] { stream.Flush(); });

            const auto expected = ForeseePasses(kSchemes[index].passes, Content(size), state);
            ASSERT_EQ(stream.flushed.size(), size == 0 ? 0 : expected.size());
            for (std::size_t k = 0; k < stream.flushed.size(); ++k)
                ASSERT_EQ(FirstDifference(stream.flushed[k], expected[k]), "") << "pass " << k + 1;
            EXPECT_EQ(KissStateNow(), state) << "the scheme drew more or fewer values";
        }
    }
}

TEST_F(ShredSchemes, PassesOfTheWorkedExamples) {
    const struct {
        std::size_t scheme, size, pass;
        Bytes expected;
    } cases[] = {
        {3, 6, 2, {0xFF, 0xFF, 0xFF, 0xFD, 0xFF, 0xFF}},
        {10, 5, 1, {0x92, 0x49, 0x24, 0x92, 0x49}},
        {10, 5, 25, Bytes(5, 0xFF)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "scheme " << c.scheme << ", pass " << c.pass);
        test::RecordingStream stream(Content(c.size));
        OverwritePasses(stream, Scheme(c.scheme).CreateGenerators(), events,
                        [&stream] { stream.Flush(); });
        EXPECT_EQ(stream.flushed.at(c.pass - 1), c.expected);
    }
}

TEST_F(ShredSchemes, ShredFileReportsProgressAndDeletesTheFile) {
    const std::wstring path = temp.Path(L"ten.bin");
    WriteAll(path, Content(10));
    TKissState state = KissStateNow();
    Scheme(2).ShredFile(path, events);  // a random value repeated, then zeros

    const std::vector<std::vector<std::int64_t>> expected = {{0, 20, 5}, {10, 20, 5}};
    EXPECT_EQ(reports, expected);
    EXPECT_FALSE(Exists(path));
    state.Next();
    EXPECT_EQ(KissStateNow(), state) << "one draw for the repeated value, none else";
}

TEST_F(ShredSchemes, CancelKeepsTheFileOverwrittenUpToTheLastBuffer) {
    const std::wstring path = temp.Path(L"big.bin");
    WriteAll(path, Content(100000));
    cancelAfterReports = 5;             // passes 1 and 2 whole, the first buffer of pass 3
    Scheme(5).ShredFile(path, events);  // 00, FF, 00, FF, 00, FF, AA

    ASSERT_TRUE(Exists(path));
    Bytes expected(65536, 0x00);
    expected.insert(expected.end(), 34464, 0xFF);
    EXPECT_EQ(FirstDifference(ReadAll(path), expected), "");
}

TEST_F(ShredSchemes, EmptyFileIsKeptByEveryScheme) {
    const std::wstring path = temp.Path(L"empty.bin");
    for (const auto& scheme : ShredCatalogue()) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(scheme->ClassName())));
        WriteAll(path, {});
        scheme->ShredFile(path, events);
        ASSERT_TRUE(Exists(path));
        EXPECT_EQ(GetAttributeData(path)->size, 0);
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(ShredSchemes, FileThatCannotBeOpenedForWritingRaisesTheOpenErrorUntouched) {
    const std::wstring path = temp.Path(L"guarded.bin");
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only" : "in use");
        SetFileAttributesAt(path, attr::kNormal);
        WriteAll(path, Content(1000));
        std::wstring message = L"(no error)";
        {
            if (readOnly) {
                ASSERT_EQ(SetFileAttributesAt(path, attr::kReadOnly), 0u);
            }
            std::unique_ptr<TFileStream> holder;
            if (!readOnly)
                holder = std::make_unique<TFileStream>(path, TFileMode::fmOpenRead);
            try {
                Scheme(0).ShredFile(path, events);
            } catch (const Error& e) {
                message = e.Message();
            }
        }
        const std::wstring prefix = L"Cannot open file \"" + path + L"\". ";
        EXPECT_EQ(message.substr(0, prefix.size()), prefix);
        EXPECT_EQ(FirstDifference(ReadAll(path), Content(1000)), "");
        EXPECT_TRUE(reports.empty());
    }
    SetFileAttributesAt(path, attr::kNormal);
}

#ifndef _WIN32
// Windows keeps the unshared file from being cut short; elsewhere another program can.
TEST_F(ShredSchemes, FailureInAPassRaisesAndKeepsTheFile) {
    const std::wstring path = temp.Path(L"cut.bin");
    WriteAll(path, Content(100000));
    onProgress = [&] { std::filesystem::resize_file(std::filesystem::path(path), 70000); };
    try {
        Scheme(0).ShredFile(path, events);
        ADD_FAILURE() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Stream read error");
    }
    ASSERT_TRUE(Exists(path));
    EXPECT_EQ(GetAttributeData(path)->size, 70000);
}
#endif

TEST_F(ShredSchemes, DescriptionsComeFromTheFileOfTheLanguage) {
    // The shipped English file, copied beside the test program, describes every scheme.
    std::vector<std::wstring> seen;
    for (const auto& scheme : ShredCatalogue()) {
        const std::wstring text = GetShredDescription(*scheme);
        EXPECT_FALSE(text.empty()) << testing::PrintToString(std::wstring(scheme->ClassName()));
        EXPECT_EQ(std::find(seen.begin(), seen.end(), text), seen.end()) << "repeated text";
        seen.push_back(text);
    }
    // A language without a description file gives empty texts.
    ReleaseShredCatalogue();
    OpenIniFile(GetDataFolder() + L"options.ini")->WriteString(L"Options", L"LanguageID", L"7777");
    BuildShredCatalogue();
    for (const auto& scheme : ShredCatalogue())
        EXPECT_EQ(GetShredDescription(*scheme), L"");
}

}  // namespace
}  // namespace dovrel
