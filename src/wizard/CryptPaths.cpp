#include <string>

#include "app/AppFolders.h"
#include "app/CmdLineActivate.h"
#include "app/LangManager.h"
#include "crypto/CryptoAlgorithms.h"
#include "engine/FilesIterationThread.h"
#include "engine/Operations.h"
#include "platform/Error.h"
#include "platform/Text.h"
#include "shred/ShredAlgorithms.h"
#include "wizard/MainWindow.h"
#include "wizard/OperationPathes.h"
#include "wizard/SelectionTree.h"
#include "wizard/Wizard.h"

namespace dovrel {

namespace {

// The row of a drop-down list that lists `catalogue` in order.
template <typename Entry>
Entry* CatalogueEntry(const std::vector<std::unique_ptr<Entry>>& catalogue, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= catalogue.size())
        throw Error(L"List index out of bounds (" + std::to_wstring(row) + L")");
    return catalogue[static_cast<std::size_t>(row)].get();
}

// The selection page's step of the encrypt, decrypt and shred paths: Next shows the
// settings page.
class TChooseFilesStep : public TOperationStep {
public:
    TChooseFilesStep(TWizard& wizard, const wchar_t* nextCaption, const wchar_t* stepText,
                     TWizardPage settingsPage)
        : TOperationStep(wizard),
          nextCaption_(nextCaption),
          stepText_(stepText),
          settingsPage_(settingsPage) {}

    void Next() override {
        TMainWindow& window = wizard_.Window();
        window.SetButtonCaption(TWizardButton::Next, LookupMessage(nextCaption_));
        window.SetStepText(LookupMessage(stepText_));
        window.ShowPage(settingsPage_);
    }
    void Back() override {}

private:
    const wchar_t* nextCaption_;
    const wchar_t* stepText_;
    TWizardPage settingsPage_;
};

// The settings page's step: Next starts the run, Back returns to the selection, whose
// checks stay as they were.
class TSettingsStep : public TOperationStep {
public:
    TSettingsStep(TWizard& wizard, const wchar_t* firstStepText)
        : TOperationStep(wizard), firstStepText_(firstStepText) {}

    void Back() override {
        TMainWindow& window = wizard_.Window();
        window.SetButtonCaption(TWizardButton::Next, LookupMessage(L"Next_"));
        window.SetStepText(LookupMessage(firstStepText_));
        window.ShowPage(TWizardPage::ChooseFiles);
    }

private:
    const wchar_t* firstStepText_;
};

class TEncryptChooseFiles final : public TChooseFilesStep {
public:
    explicit TEncryptChooseFiles(TWizard& wizard)
        : TChooseFilesStep(wizard, L"Encrypt", L"Encrypting_files_step2",
                           TWizardPage::EncryptSettings) {}

    void Next() override {
        TChooseFilesStep::Next();
        wizard_.Window().SetDeleteSource(TCryptPage::Encrypt, true);
    }
};

class TEncryptSettings final : public TSettingsStep {
public:
    explicit TEncryptSettings(TWizard& wizard) : TSettingsStep(wizard, L"Encrypting_files_step1") {}

    void Next() override {
        TMainWindow& window = wizard_.Window();
        const std::wstring password = window.PasswordText(TCryptPage::Encrypt);
        if (password.empty()) {
            window.ShowMessageBox(TMessageKind::Plain, LookupMessage(L"Enter_password_first"));
            window.FocusPasswordEdit(TCryptPage::Encrypt);
            return;
        }
        auto encrypt = std::make_unique<TEncrypt>(L"", L"");
        encrypt->Algorithm = CatalogueEntry(CipherCatalogue(), window.EncryptCipherIndex());
        encrypt->Password = ToAnsi(password);
        encrypt->DeleteSource = window.DeleteSource(TCryptPage::Encrypt);
        wizard_.StartWizardRun(std::move(encrypt), ExpandFolders);
    }
};

class TDecryptChooseFiles final : public TChooseFilesStep {
public:
    explicit TDecryptChooseFiles(TWizard& wizard)
        : TChooseFilesStep(wizard, L"Decrypt", L"Decrypting_files_step2",
                           TWizardPage::DecryptSettings) {}

    void Back() override { wizard_.Tree().SetEncOnlyFilter(false); }
};

class TDecryptSettings final : public TSettingsStep {
public:
    explicit TDecryptSettings(TWizard& wizard) : TSettingsStep(wizard, L"Decrypting_files_step1") {}

    // An empty password is accepted: each file's prompt can still ask for the right one.
    void Next() override {
        TMainWindow& window = wizard_.Window();
        auto decrypt = std::make_unique<TDecrypt>(L"", L"");
        decrypt->Password = ToAnsi(window.PasswordText(TCryptPage::Decrypt));
        decrypt->DeleteSource = window.DeleteSource(TCryptPage::Decrypt);
        wizard_.Tree().SetEncOnlyFilter(false);
        wizard_.StartWizardRun(std::move(decrypt), ExpandFolders);
    }
};

class TShredChooseFiles final : public TChooseFilesStep {
public:
    explicit TShredChooseFiles(TWizard& wizard)
        : TChooseFilesStep(wizard, L"Shred", L"Shredding_files_step2", TWizardPage::ShredSettings) {
    }
};

class TShredSettings final : public TSettingsStep {
public:
    explicit TShredSettings(TWizard& wizard) : TSettingsStep(wizard, L"Shredding_files_step1") {}

    void Next() override {
        auto shred = std::make_unique<TShred>(L"", L"");
        shred->Scheme = CatalogueEntry(ShredCatalogue(), wizard_.Window().ShredSchemeIndex());
        wizard_.StartWizardRun(std::move(shred), ExpandFolders);
    }
};

struct TSelectionTexts {
    TPathPicture picture;
    const wchar_t* stepText;
    const wchar_t* header;
    const wchar_t* description;
};

// The common opening of the three paths: buttons, a fresh tree, the selection page.
void OpenOnSelectionPage(TWizard& wizard, const TSelectionTexts& texts) {
    TMainWindow& window = wizard.Window();
    wizard.ShowPathButtons();
    wizard.Tree().BuildDrivesTree();
    window.ShowPage(TWizardPage::ChooseFiles);
    window.SetPathPicture(texts.picture);
    window.SetStepText(LookupMessage(texts.stepText));
    window.SetLabel(TWizardLabel::ChooseFilesHeader, LookupMessage(texts.header));
    window.SetLabel(TWizardLabel::ChooseFilesDesc, LookupMessage(texts.description));
}

// Opens the path on its settings page with the list file's items; the list file's open
// error leaves it there with none.
template <typename Path>
bool ActivateOnSettingsPage(TWizard& wizard, bool hideBack) {
    auto owned = std::make_unique<Path>(wizard);
    Path& path = *owned;
    SetCurrentPath(std::move(owned));
    path.SetOpenedFromCommandLine();
    path.Next();
    if (hideBack)
        wizard.Window().SetButtonVisible(TWizardButton::Back, false);
    LoadPreselectedItems(GetDataFolder());
    return true;
}

}  // namespace

TEncryptPath::TEncryptPath(TWizard& wizard) : TOperationPath(wizard) {
    steps_.push_back(std::make_unique<TEncryptChooseFiles>(wizard));
    steps_.push_back(std::make_unique<TEncryptSettings>(wizard));
    OpenOnSelectionPage(wizard, {TPathPicture::Encrypt, L"Encrypting_files_step1",
                                 L"Choose_files_to_encrypt", L"Choose_files_to_encrypt_full"});
}

bool TEncryptPath::ActivateOnCmdLine(TWizard& wizard) {
    return ActivateOnSettingsPage<TEncryptPath>(wizard, true);
}

TDecryptPath::TDecryptPath(TWizard& wizard) : TOperationPath(wizard) {
    steps_.push_back(std::make_unique<TDecryptChooseFiles>(wizard));
    steps_.push_back(std::make_unique<TDecryptSettings>(wizard));
    OpenOnSelectionPage(wizard, {TPathPicture::Decrypt, L"Decrypting_files_step1",
                                 L"Choose_file_to_decrypt", L"Choose_file_to_decrypt_full"});
    // After the tree was rebuilt: folders read while the path is open list ".enc" files.
    wizard.Tree().SetEncOnlyFilter(true);
}

bool TDecryptPath::ActivateOnCmdLine(TWizard& wizard) {
    return ActivateOnSettingsPage<TDecryptPath>(wizard, false);
}

void TDecryptPath::OnEnd() {
    wizard_.Tree().SetEncOnlyFilter(false);
}

TShredPath::TShredPath(TWizard& wizard) : TOperationPath(wizard) {
    steps_.push_back(std::make_unique<TShredChooseFiles>(wizard));
    steps_.push_back(std::make_unique<TShredSettings>(wizard));
    OpenOnSelectionPage(wizard, {TPathPicture::Shred, L"Shredding_files_step1",
                                 L"Choose_files_to_shred", L"Choose_files_to_shred_full"});
}

bool TShredPath::ActivateOnCmdLine(TWizard& wizard) {
    return ActivateOnSettingsPage<TShredPath>(wizard, false);
}

}  // namespace dovrel
