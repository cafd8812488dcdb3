#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "app/LangManager.h"
#include "app/LanguageTestFiles.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

using test::ErrorOf;
using test::TempFolder;
using test::WriteBytes;

std::set<std::pair<std::uint16_t, std::wstring>> Registered(const TLangManager& manager) {
    std::set<std::pair<std::uint16_t, std::wstring>> out;
    for (const auto& language : manager.RegisteredLanguages())
        out.emplace(language.id, language.path);
    return out;
}

TEST(LangManager, ScanRegistersFilesByTheirLanguage) {
    TempFolder folder;
    WriteBytes(folder.Path(L"de.lng"), "LANGID=1031\r\n[$CONSTANTS]\r\nExit=Beenden\r\n");
    WriteBytes(folder.Path(L"RU.LNG"), "; Russian\r\nLANGID = 1049\r\n");
    WriteBytes(folder.Path(L"en.lng"), "LANGID=1033\r\n");  // found, never registered
    WriteBytes(folder.Path(L"none.lng"), "[$CONSTANTS]\r\nLANGID=1040\r\n");
    WriteBytes(folder.Path(L"zero.lng"), "LANGID=0\r\n");
    WriteBytes(folder.Path(L"bad.lng"), "LANGID=Deutsch\r\n");
    WriteBytes(folder.Path(L"it.txt"), "LANGID=1040\r\n");
    WriteBytes(folder.Path(L"it.lng.bak"), "LANGID=1040\r\n");
    // The body is not read while scanning, so its faults do not matter yet.
    WriteBytes(folder.Path(L"broken.lng"), "LANGID=1036\r\n[$CONSTANTS]\r\n1=x\r\n");
    ASSERT_TRUE(CreateFolderChain(folder.Path(L"fr.lng")));
    ASSERT_TRUE(CreateFolderChain(folder.Path(L"sub")));
    WriteBytes(folder.Path(L"sub") + kPathDelim + L"pl.lng", "LANGID=1045\r\n");
    ASSERT_TRUE(CreateFolderChain(folder.Path(L".git")));
    WriteBytes(folder.Path(L".git") + kPathDelim + L"cs.lng", "LANGID=1029\r\n");

    TLangManager manager;
    EXPECT_EQ(manager.ScanLanguageFiles(folder.Folder()), 4);
    EXPECT_EQ(Registered(manager),
              (std::set<std::pair<std::uint16_t, std::wstring>>{{1031, folder.Path(L"de.lng")},
                                                                {1036, folder.Path(L"broken.lng")},
                                                                {1049, folder.Path(L"RU.LNG")}}));
    EXPECT_EQ(manager.CurrentLanguage(), kDefaultLanguageId) << "scanning chooses nothing";

    std::wstring withoutSeparator = folder.Folder();
    withoutSeparator.pop_back();
    TLangManager descending;
    EXPECT_EQ(descending.ScanLanguageFiles(withoutSeparator, L"*.lng", true), 5);
    EXPECT_EQ(Registered(descending).count({1045, folder.Path(L"sub") + kPathDelim + L"pl.lng"}),
              1u);
    EXPECT_EQ(Registered(descending).size(), 4u) << "folders starting with a dot are skipped";
}

TEST(LangManager, OfTwoFilesForOneLanguageTheLastListedWins) {
    TempFolder folder;
    for (const wchar_t* name : {L"a.lng", L"b.lng", L"c.lng"})
        WriteBytes(folder.Path(name), "LANGID=1031\r\n");
    std::wstring last;
    EnumerateFolder(folder.Folder(), [&](const TFindEntry& entry) {
        last = entry.name;
        return true;
    });

    TLangManager manager;
    EXPECT_EQ(manager.ScanLanguageFiles(folder.Folder()), 3);
    EXPECT_EQ(Registered(manager),
              (std::set<std::pair<std::uint16_t, std::wstring>>{{1031, folder.Path(last)}}));
}

TEST(LangManager, AFolderThatCannotBeListedHoldsNoLanguages) {
    TempFolder folder;
    TLangManager manager;
    EXPECT_EQ(manager.ScanLanguageFiles(folder.Path(L"missing")), 0);
    EXPECT_TRUE(manager.RegisteredLanguages().empty());
}

class LangManagerSelect : public ::testing::Test {
protected:
    void SetUp() override {
        // Keys in other letter case still replace the catalogue's; absent keys stay English.
        WriteBytes(
            folder_.Path(L"Deutsch.lng"),
            "\xEF\xBB\xBFLANGID=1031\r\n[$CONSTANTS]\r\nwrong_password=Falsches Passwort!\r\n"
            "EXIT=Beenden\r\nCancel=&Abbrechen\\nJetzt\r\nUnknown_key=ignored\r\n");
        WriteBytes(folder_.Path(L"broken.lng"),
                   "LANGID=1036\r\n[$CONSTANTS]\r\nExit=Quitter\r\nexit=Sortir\r\n");
        ASSERT_EQ(manager_.ScanLanguageFiles(folder_.Folder()), 2);
    }

    TempFolder folder_;
    TLangManager manager_;
};

TEST_F(LangManagerSelect, ARegisteredLanguageReplacesTheTextsItHas) {
    EXPECT_EQ(manager_.LookupMessage(L"Exit"), L"Exit");
    manager_.SelectLanguage(1031);
    EXPECT_EQ(manager_.CurrentLanguage(), 1031);
    EXPECT_EQ(manager_.LookupMessage(L"Wrong_password"), L"Falsches Passwort!");
    EXPECT_EQ(manager_.LookupMessage(L"exit"), L"Beenden");
    EXPECT_EQ(manager_.LookupMessage(L"Cancel"), L"&Abbrechen\r\nJetzt");
    EXPECT_EQ(manager_.LookupMessage(L"Next_"), L"Next");
    EXPECT_EQ(ErrorOf([&] { manager_.LookupMessage(L"Unknown_key"); }),
              L"Constant \"Unknown_key\" not found");

    manager_.SelectLanguage(kDefaultLanguageId);
    EXPECT_EQ(manager_.CurrentLanguage(), kDefaultLanguageId);
    EXPECT_EQ(manager_.LookupMessage(L"Wrong_password"), L"You entered wrong password!");
    EXPECT_EQ(manager_.LookupMessage(L"Exit"), L"Exit");
}

TEST_F(LangManagerSelect, AnUnregisteredLanguageFallsBackToEnglish) {
    manager_.SelectLanguage(1031);
    manager_.SelectLanguage(1049);
    EXPECT_EQ(manager_.CurrentLanguage(), kDefaultLanguageId);
    EXPECT_EQ(manager_.LookupMessage(L"Wrong_password"), L"You entered wrong password!");
}

TEST_F(LangManagerSelect, AFileThatFailsToLoadChangesNothing) {
    manager_.SelectLanguage(1031);
    EXPECT_EQ(ErrorOf([&] { manager_.SelectLanguage(1036); }),
              L"Loading translations failed.\r\nLine 3: Duplicate constant name (\"exit\")");
    EXPECT_EQ(manager_.CurrentLanguage(), 1031);
    EXPECT_EQ(manager_.LookupMessage(L"Exit"), L"Beenden");
}

TEST_F(LangManagerSelect, LookupsFromManyThreadsSeeOneLanguageOrTheOther) {
    std::atomic<bool> stop{false};
    std::atomic<int> odd{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back([&] {
            while (!stop) {
                const std::wstring text = manager_.LookupMessage(L"Wrong_password");
                if (text != L"You entered wrong password!" && text != L"Falsches Passwort!")
                    ++odd;
            }
        });
    }
    for (int i = 0; i < 40; ++i)
        manager_.SelectLanguage(i % 2 == 0 ? 1031 : kDefaultLanguageId);
    stop = true;
    for (auto& reader : readers)
        reader.join();
    EXPECT_EQ(odd, 0);
}

TEST(LangManager, TheProcessWideManagerStartsInEnglish) {
    EXPECT_EQ(&LangManager(), &LangManager());
    EXPECT_EQ(LangManager().CurrentLanguage(), kDefaultLanguageId);
    EXPECT_EQ(LookupMessage(L"Next_"), L"Next");
    EXPECT_EQ(ErrorOf([] { LookupMessage(L"Next"); }), L"Constant \"Next\" not found");
}

}  // namespace
}  // namespace dovrel
