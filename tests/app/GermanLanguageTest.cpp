// The German file delivered beside the program, read as the program reads it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/LangManager.h"
#include "app/LanguageFile.h"
#include "app/MainFormProperties.h"
#include "app/MessageCatalogue.h"
#include "app/MessageFormat.h"
#include "platform/Text.h"

namespace dovrel {
namespace {

const std::wstring kDataFolder = FromUtf8(DOVREL_SOURCE_DATA_DIR);
const std::wstring kGermanFile = kDataFolder + L"Deutsch.lng";

// The %d and %s of a text in order; "%%" is no placeholder.
std::wstring Placeholders(const std::wstring& text) {
    std::wstring kinds;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'%')
            continue;
        if (text[i + 1] == L'd' || text[i + 1] == L's')
            kinds.push_back(text[i + 1]);
        ++i;
    }
    return kinds;
}

std::size_t LineCount(const std::wstring& text) {
    std::size_t lines = 1;
    for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos;
         at = text.find(L"\r\n", at + 2))
        ++lines;
    return lines;
}

TEST(GermanLanguage, TranslatesEveryCatalogueKeyWithTheSamePlaceholders) {
    const TLanguageFile file = TLanguageFile::Load(kGermanFile);
    EXPECT_EQ(file.LanguageId(), 1031);
    const TMessageCatalogue english;

    std::set<std::wstring> known;
    for (const auto& entry : english.Defaults().Entries()) {
        SCOPED_TRACE(ToUtf8(entry.key));
        known.insert(entry.key);
        const std::wstring* german = file.Constants().Find(entry.key);
        ASSERT_NE(german, nullptr) << "missing";
        EXPECT_FALSE(german->empty());
        EXPECT_EQ(Placeholders(*german), Placeholders(entry.text));
    }
    // A misspelt key would be ignored silently, leaving its English text on screen.
    for (const auto& entry : file.Constants().Entries())
        EXPECT_TRUE(known.count(entry.key) == 1) << "not a catalogue key: " << ToUtf8(entry.key);
}

TEST(GermanLanguage, TranslatesEveryPropertyOfTheMainWindow) {
    const TLanguageFile file = TLanguageFile::Load(kGermanFile);
    const auto* texts = file.WindowTexts(kMainFormName);
    ASSERT_NE(texts, nullptr);

    std::set<int> listed;
    for (const auto& property : MainFormProperties()) {
        SCOPED_TRACE(property.id);
        listed.insert(property.id);
        const auto text = texts->find(property.id);
        ASSERT_NE(text, texts->end()) << "missing";
        EXPECT_FALSE(text->second.empty());
    }
    for (const auto& [id, text] : *texts)
        EXPECT_TRUE(listed.count(id) == 1) << "not a property of the main window: " << id;

    // Lists keep one line per row of their control.
    EXPECT_EQ(LineCount(texts->at(17)), 5u);   // operations
    EXPECT_EQ(LineCount(texts->at(23)), 19u);  // ciphers
    EXPECT_EQ(LineCount(texts->at(36)), 11u);  // shredding schemes
    EXPECT_EQ(texts->at(23).substr(0, texts->at(22).size()), texts->at(22))
        << "the drop-down starts on its first entry";
}

TEST(GermanLanguage, IsFoundBesideTheProgramAndUsedByLookups) {
    TLangManager manager;
    EXPECT_GE(manager.ScanLanguageFiles(kDataFolder), 1);
    bool registered = false;
    for (const auto& language : manager.RegisteredLanguages())
        registered = registered || (language.id == 1031 && language.path == kGermanFile);
    EXPECT_TRUE(registered);

    manager.SelectLanguage(1031);
    EXPECT_EQ(manager.LookupMessage(L"Wrong_password"),
              L"Sie haben ein falsches Passwort eingegeben!");
    EXPECT_EQ(FormatMessageText(manager.LookupMessage(L"Files_were"), 218,
                                manager.LookupMessage(L"encrypted")),
              FromUtf16(u"218 Dateien wurden verschl\u00FCsselt"));
    EXPECT_EQ(FormatMessageText(manager.LookupMessage(L"Percent_completed"), 42),
              L"42% abgeschlossen...");
}

}  // namespace
}  // namespace dovrel
