// The language files and description files delivered beside the program, read as the
// program reads them: every shipped language must be complete, or English texts show
// through in its windows.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/AppFolders.h"
#include "app/LangManager.h"
#include "app/LanguageFile.h"
#include "app/MainFormProperties.h"
#include "app/MessageCatalogue.h"
#include "app/MessageFormat.h"
#include "crypto/CryptoAlgorithms.h"
#include "platform/IniFile.h"
#include "platform/Text.h"
#include "shred/ShredAlgorithms.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

const std::wstring kDataFolder = FromUtf8(DOVREL_SOURCE_DATA_DIR);

struct TShippedLanguage {
    const char* file;
    int id;
};

void PrintTo(const TShippedLanguage& language, std::ostream* out) {
    *out << language.file;
}

const TShippedLanguage kShipped[] = {{"Deutsch.lng", 1031}, {"Francais.lng", 1036}};

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

class ShippedLanguage : public testing::TestWithParam<TShippedLanguage> {
protected:
    std::wstring Path() const { return kDataFolder + FromUtf8(GetParam().file); }
};

TEST_P(ShippedLanguage, TranslatesEveryCatalogueKeyWithTheSamePlaceholders) {
    const TLanguageFile file = TLanguageFile::Load(Path());
    EXPECT_EQ(file.LanguageId(), GetParam().id);
    const TMessageCatalogue english;

    std::set<std::wstring> known;
    for (const auto& entry : english.Defaults().Entries()) {
        SCOPED_TRACE(ToUtf8(entry.key));
        known.insert(entry.key);
        const std::wstring* text = file.Constants().Find(entry.key);
        ASSERT_NE(text, nullptr) << "missing";
        EXPECT_FALSE(text->empty());
        EXPECT_EQ(Placeholders(*text), Placeholders(entry.text));
    }
    // A misspelt key would be ignored silently, leaving its English text on screen.
    for (const auto& entry : file.Constants().Entries())
        EXPECT_TRUE(known.count(entry.key) == 1) << "not a catalogue key: " << ToUtf8(entry.key);
}

TEST_P(ShippedLanguage, TranslatesEveryPropertyOfTheMainWindow) {
    const TLanguageFile file = TLanguageFile::Load(Path());
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

// The catalogues open "cryptos" / "shreds" + LanguageID + ".ini" beside the program; every
// cipher and scheme must find a text of its own there, not the English one.
TEST_P(ShippedLanguage, DescribesEveryCipherAndSchemeInItsOwnFiles) {
    test::TempFolder temp;
    InitAppFolders(temp.Path(L"data"));
    BuildCipherCatalogue();
    BuildShredCatalogue();
    std::vector<std::wstring> english;
    for (const auto& entry : CipherCatalogue())
        english.push_back(GetCipherDescription(*entry));
    for (const auto& scheme : ShredCatalogue())
        english.push_back(GetShredDescription(*scheme));

    OpenIniFile(GetDataFolder() + L"options.ini")
        ->WriteString(L"Options", L"LanguageID", std::to_wstring(GetParam().id));
    BuildCipherCatalogue();
    BuildShredCatalogue();
    std::vector<std::wstring> translated;
    for (const auto& entry : CipherCatalogue())
        translated.push_back(GetCipherDescription(*entry));
    for (const auto& scheme : ShredCatalogue())
        translated.push_back(GetShredDescription(*scheme));
    ReleaseCipherCatalogue();
    ReleaseShredCatalogue();

    ASSERT_EQ(translated.size(), english.size());
    for (std::size_t i = 0; i < english.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(english[i].empty());
        EXPECT_FALSE(translated[i].empty());
        EXPECT_NE(translated[i], english[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, testing::ValuesIn(kShipped),
                         [](const auto& info) { return std::to_string(info.param.id); });

TEST(ShippedLanguages, AreFoundBesideTheProgramAndUsedByLookups) {
    TLangManager manager;
    EXPECT_EQ(manager.ScanLanguageFiles(kDataFolder), static_cast<int>(std::size(kShipped)));
    std::set<int> registered;
    for (const auto& language : manager.RegisteredLanguages())
        registered.insert(language.id);
    EXPECT_EQ(registered, (std::set<int>{1031, 1036}));

    manager.SelectLanguage(1031);
    EXPECT_EQ(manager.LookupMessage(L"Wrong_password"),
              L"Sie haben ein falsches Passwort eingegeben!");
    EXPECT_EQ(FormatMessageText(manager.LookupMessage(L"Files_were"), 218,
                                manager.LookupMessage(L"encrypted")),
              FromUtf16(u"218 Dateien wurden verschl\u00FCsselt"));
    manager.SelectLanguage(1036);
    EXPECT_EQ(FormatMessageText(manager.LookupMessage(L"Percent_completed"), 42),
              FromUtf16(u"42% termin\u00E9..."));
}

}  // namespace
}  // namespace dovrel
