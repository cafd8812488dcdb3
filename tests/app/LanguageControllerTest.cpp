#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "app/LanguageController.h"
#include "app/LanguageTestFiles.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

using test::TempFolder;
using test::WriteBytes;

// Controls as a map from (control, property) to text, and the calls that set them.
class FakeWindow : public TPropertyTarget {
public:
    std::map<std::pair<std::wstring, std::wstring>, std::wstring> texts;
    int sets = 0;
    // Set when the window looks a text up while being translated, as real windows may.
    TLangManager* lookups = nullptr;
    std::wstring lookedUp;

    std::wstring PropertyText(std::wstring_view control, std::wstring_view property) override {
        return texts.at({std::wstring(control), std::wstring(property)});
    }
    void SetPropertyText(std::wstring_view control, std::wstring_view property,
                         const std::wstring& text) override {
        texts.at({std::wstring(control), std::wstring(property)}) = text;
        ++sets;
        if (lookups != nullptr)
            lookedUp = lookups->LookupMessage(L"Exit");
    }
    const std::wstring& Text(const wchar_t* control, const wchar_t* property) const {
        return texts.at({control, property});
    }
};

constexpr TTranslatableProperty kProperties[] = {
    {L"", L"Caption", 1},
    {L"ExitButton", L"Caption", 4},
    {L"ExitButton", L"Hint", 3},
    {L"OperationsListBox", L"Items", 17},
};

class LanguageController : public ::testing::Test {
protected:
    void SetUp() override {
        window_.texts = {{{L"", L"Caption"}, L"Dovrel"},
                         {{L"ExitButton", L"Caption"}, L"Exit"},
                         {{L"ExitButton", L"Hint"}, L"Exit"},
                         {{L"OperationsListBox", L"Items"}, L"Encrypt\r\nDecrypt"}};
        // Section names match in any letter case; identifier 3 is left out.
        WriteBytes(folder_.Path(L"de.lng"),
                   "\xEF\xBB\xBFLANGID=1031\n[$CONSTANTS]\nExit=Beenden\n[mainform]\n4=Beenden\n"
                   "17=Verschl\xC3\xBCsseln\\nEntschl\xC3\xBCsseln\n99=not listed\n"
                   "[OtherForm]\n1=Anders\n");
        WriteBytes(folder_.Path(L"fr.lng"), "LANGID=1036\n[MainForm]\n3=Quitter\n");
        ASSERT_EQ(manager_.ScanLanguageFiles(folder_.Folder()), 2);
    }

    TempFolder folder_;
    TLangManager manager_;
    FakeWindow window_;
};

TEST_F(LanguageController, InEnglishTheDesignedTextsStay) {
    TLanguageController controller(L"MainForm", kProperties, window_, manager_);
    EXPECT_EQ(window_.sets, 0);
    EXPECT_EQ(controller.TranslatedText(4), std::nullopt);
}

TEST_F(LanguageController, AWindowCreatedInAnotherLanguageIsTranslated) {
    manager_.SelectLanguage(1031);
    TLanguageController controller(L"MainForm", kProperties, window_, manager_);
    EXPECT_EQ(window_.Text(L"ExitButton", L"Caption"), L"Beenden");
    EXPECT_EQ(window_.Text(L"OperationsListBox", L"Items"),
              L"Verschl\u00FCsseln\r\nEntschl\u00FCsseln");
    EXPECT_EQ(window_.Text(L"ExitButton", L"Hint"), L"Exit") << "no text: designed value";
    EXPECT_EQ(window_.Text(L"", L"Caption"), L"Dovrel") << "other windows' texts stay theirs";
    EXPECT_EQ(controller.TranslatedText(4), L"Beenden");
    EXPECT_EQ(controller.TranslatedText(3), std::nullopt);
}

TEST_F(LanguageController, ChangingTheLanguageRetranslatesAndEnglishRestoresTheDesign) {
    TLanguageController controller(L"MainForm", kProperties, window_, manager_);
    manager_.SelectLanguage(1031);
    EXPECT_EQ(window_.Text(L"ExitButton", L"Caption"), L"Beenden");

    manager_.SelectLanguage(1036);
    EXPECT_EQ(window_.Text(L"ExitButton", L"Caption"), L"Exit");
    EXPECT_EQ(window_.Text(L"ExitButton", L"Hint"), L"Quitter");

    manager_.SelectLanguage(kDefaultLanguageId);
    EXPECT_EQ(window_.Text(L"ExitButton", L"Hint"), L"Exit");
    EXPECT_EQ(window_.Text(L"OperationsListBox", L"Items"), L"Encrypt\r\nDecrypt");
}

TEST_F(LanguageController, AWindowMayLookTextsUpWhileItIsTranslated) {
    window_.lookups = &manager_;
    TLanguageController controller(L"MainForm", kProperties, window_, manager_);
    manager_.SelectLanguage(1031);
    EXPECT_EQ(window_.lookedUp, L"Beenden");
}

TEST_F(LanguageController, AClosedWindowIsNoLongerTranslated) {
    { TLanguageController controller(L"MainForm", kProperties, window_, manager_); }
    manager_.SelectLanguage(1031);
    EXPECT_EQ(window_.sets, 0);
    EXPECT_EQ(window_.Text(L"ExitButton", L"Caption"), L"Exit");
}

}  // namespace
}  // namespace dovrel
