// One suite for every private-profile implementation: the system's and the portable one.
// Natively it checks the portable engine; under Wine both, and that they write alike.
#include <gtest/gtest.h>

#include <functional>

#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/PortableIniFile.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

using test::TempFolder;
using IniFactory = std::function<std::unique_ptr<TIniFile>(const std::wstring&)>;

struct Implementation {
    const char* name;
    IniFactory open;
};

void PrintTo(const Implementation& implementation, std::ostream* out) {
    *out << implementation.name;
}

std::string ReadBytes(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(bytes.data(), bytes.size());
}

class IniFileContract : public testing::TestWithParam<Implementation> {
protected:
    std::unique_ptr<TIniFile> Open(const std::wstring& name) {
        return GetParam().open(folder.Path(name));
    }

    TempFolder folder;
};

TEST_P(IniFileContract, MissingFileGivesDefaultsAndNoSections) {
    auto ini = Open(L"missing.ini");
    EXPECT_EQ(ini->ReadString(L"Options", L"LanguageID", L"1033"), L"1033");
    EXPECT_TRUE(ini->ReadSections().empty());
    EXPECT_FALSE(GetAttributeData(ini->FileName())) << "reading must not create the file";
}

TEST_P(IniFileContract, FirstWriteCreatesFileAndSection) {
    auto ini = Open(L"options.ini");
    ini->WriteString(L"Options", L"IntegrateContextMenu", L"1");
    EXPECT_EQ(ReadBytes(ini->FileName()), "[Options]\r\nIntegrateContextMenu=1\r\n");
    EXPECT_EQ(ini->ReadString(L"Options", L"IntegrateContextMenu", L""), L"1");
}

TEST_P(IniFileContract, NamesMatchWithoutLetterCaseAndWritesReplaceInPlace) {
    auto ini = Open(L"case.ini");
    ini->WriteString(L"Options", L"Key", L"one");
    ini->WriteString(L"OPTIONS", L"KEY", L"two");
    ini->WriteString(L"options", L"Other", L"three");
    EXPECT_EQ(ini->ReadString(L"oPtIoNs", L"key", L""), L"two");
    EXPECT_EQ(ReadBytes(ini->FileName()), "[Options]\r\nKey=two\r\nOther=three\r\n");
}

TEST_P(IniFileContract, SectionsAreListedInFileOrder) {
    auto ini = Open(L"base.dat");
    for (const auto* section : {L"Password", L"Item2", L"Count", L"Item0"})
        ini->WriteString(section, L"x", L"1");
    EXPECT_EQ(ini->ReadSections(),
              (std::vector<std::wstring>{L"Password", L"Item2", L"Count", L"Item0"}));
}

TEST_P(IniFileContract, ErasingASectionRemovesItsKeys) {
    auto ini = Open(L"erase.ini");
    ini->WriteString(L"Item0", L"Path", L"C:\\a");
    ini->WriteString(L"Item1", L"Path", L"C:\\b");
    ini->WriteString(L"Item1", L"Kind", L"1");
    ini->EraseSection(L"item0");
    EXPECT_EQ(ini->ReadSections(), std::vector<std::wstring>{L"Item1"});
    EXPECT_EQ(ini->ReadString(L"Item0", L"Path", L"none"), L"none");
    EXPECT_EQ(ini->ReadString(L"Item1", L"Kind", L""), L"1");
    // Writing the section again starts it empty.
    ini->WriteString(L"Item0", L"Kind", L"2");
    EXPECT_EQ(ini->ReadString(L"Item0", L"Path", L"none"), L"none");
}

TEST_P(IniFileContract, LongValuesAreCutWhenRead) {
    auto ini = Open(L"long.ini");
    const std::wstring value(3000, L'v');
    ini->WriteString(L"Algos", L"BFS", value);
    EXPECT_EQ(ini->ReadString(L"Algos", L"BFS", L""), value.substr(0, TIniFile::kMaxValueLength));
}

TEST_P(IniFileContract, ReadsHandWrittenFilesAsTheSystemDoes) {
    const std::wstring path = folder.Path(L"hand.ini");
    WriteBytes(path,
               "; a comment\r\n"
               "  [ Algos ]  \r\n"
               "  BFS =  Blowfish by design  \r\n"
               "Quoted=\"  padded  \"\n"
               "Empty=\r\n"
               "[Other]\r\n"
               "BFS=second\r\n");
    auto ini = GetParam().open(path);
    EXPECT_EQ(ini->ReadString(L"Algos", L"BFS", L""), L"Blowfish by design");
    EXPECT_EQ(ini->ReadString(L"Algos", L"Quoted", L""), L"  padded  ");
    EXPECT_EQ(ini->ReadString(L"Algos", L"Empty", L"default"), L"");
    EXPECT_EQ(ini->ReadString(L"Other", L"BFS", L""), L"second");
    EXPECT_EQ(ini->ReadSections(), (std::vector<std::wstring>{L"Algos", L"Other"}));
}

TEST_P(IniFileContract, ReadsUtf16FilesWithAByteOrderMark) {
    const std::wstring path = folder.Path(L"utf16.ini");
    const std::u16string text =
        u"[Algos]\r\nRIJ=\u0420\u0438\u0439\u043D\u0434\u0430\u043B\u044C\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text)
        bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    WriteBytes(path, bytes);
    auto ini = GetParam().open(path);
    EXPECT_EQ(ini->ReadString(L"algos", L"RIJ", L""),
              FromUtf16(u"\u0420\u0438\u0439\u043D\u0434\u0430\u043B\u044C"));
}

TEST_P(IniFileContract, AFailedWriteRaisesUnableToWrite) {
    auto ini = GetParam().open(folder.Path(L"no-folder") + kPathDelim + L"options.ini");
    try {
        ini->WriteString(L"Options", L"IntegrateContextMenu", L"0");
        FAIL() << "writing into a missing folder must fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Unable to write to " + ini->FileName());
    }
}

// A rewrite drops blank lines; a first line starting with the bytes of a byte-order mark
// must not then make the whole file read in another encoding.
TEST(PortableIniFile, AFileThatWouldOpenLikeAByteOrderMarkKeepsItsValuesAfterAWrite) {
    TempFolder folder;
    for (const std::string mark : {"\xFF\xFE", "\xEF\xBB\xBF"}) {
        const std::wstring path = folder.Path(L"mark.ini");
        WriteBytes(path, "\r\n" + mark + "a=b\r\n[S]\r\nk=v\r\n");
        TPortableIniFile ini(path);
        ini.WriteString(L"S", L"n", L"w");
        EXPECT_EQ(ini.ReadString(L"S", L"k", L""), L"v");
        EXPECT_EQ(ini.ReadString(L"S", L"n", L""), L"w");
        EXPECT_EQ(ini.ReadSections(), std::vector<std::wstring>{L"S"});
    }
}

std::vector<Implementation> Implementations() {
    std::vector<Implementation> list{
        {"Portable", [](const std::wstring& f) { return std::make_unique<TPortableIniFile>(f); }}};
#ifdef _WIN32
    list.push_back({"System", [](const std::wstring& f) { return OpenIniFile(f); }});
#endif
    return list;
}

INSTANTIATE_TEST_SUITE_P(All, IniFileContract, testing::ValuesIn(Implementations()),
                         [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
// The program's own files are opened for nobody else; a profile is only read, and two
// programs reading the same description file at once must both get its values.
TEST(PortableIniFile, AProfileIsReadWhileAnotherProgramHoldsIt) {
    test::TempFolder folder;
    const std::wstring path = folder.Path(L"held.ini");
    TPortableIniFile(path).WriteString(L"Algos", L"TEA", L"Tiny");
    TFileStream holder(path, TFileMode::fmOpenRead);
    EXPECT_EQ(TPortableIniFile(path).ReadString(L"Algos", L"TEA", L"none"), L"Tiny");
}
#endif

#ifdef _WIN32
// The portable engine must leave the same bytes behind as the system after the same calls.
TEST(IniFileAgreement, PortableEngineWritesWhatTheSystemWrites) {
    TempFolder folder;
    const std::string start =
        "; kept\r\n[Password]\r\nValue=abc\r\n\r\n[Item0]\r\nPath=C:\\x\r\nKind=0\r\n";
    auto run = [&](TIniFile& ini) {
        WriteBytes(ini.FileName(), start);
        ini.WriteString(L"Count", L"Value", L"2");
        ini.WriteString(L"item0", L"Kind", L"1");
        ini.WriteString(L"Item1", L"Path", L"D:\\");
        ini.EraseSection(L"Password");
        ini.WriteString(L"Password", L"Value", L"new");
        return ReadBytes(ini.FileName());
    };
    auto system = OpenIniFile(folder.Path(L"system.ini"));
    TPortableIniFile portable(folder.Path(L"portable.ini"));
    EXPECT_EQ(run(portable), run(*system));
}
#endif

}  // namespace
}  // namespace dovrel
