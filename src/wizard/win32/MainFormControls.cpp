// The controls of the main window at their design places, page by page.
#include <windows.h>

#include <commctrl.h>

#include "HandlerError.h"
#include "MainForm.h"
#include "MainFormIds.h"
#include "Resources.h"
#include "app/AppFolders.h"
#include "crypto/CryptoAlgorithms.h"
#include "platform/File.h"
#include "shred/ShredAlgorithms.h"
#include "wizard/Wizard.h"

namespace dovrel {

using namespace mainform;

namespace {

// Every page has its picture in a strip on the left and its controls in a column here.
constexpr int kColumn = 314;
constexpr int kColumnWidth = 360;
constexpr int kLabelHeight = 13;
constexpr int kCheckBoxWidth = 300;
constexpr int kCheckBoxHeight = 17;
constexpr int kEditHeight = 21;
constexpr int kDropDownHeight = 320;  // with the opened list
constexpr RECT kNotebook{0, 0, 698, 414};
constexpr RECT kLowerPanel{-1, 413, 698, 455};
constexpr int kStatusBarHeight = 24;

// Options, Help, Back, Next, Exit and Finish in the button pictures' strip.
enum : int {
    kOptionsPicture,
    kHelpPicture,
    kBackPicture,
    kNextPicture,
    kExitPicture,
    kFinishButtonPicture
};

// The file-open error names the file and the system's reason.
std::vector<std::uint8_t> ReadPictureFile(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

constexpr const wchar_t* kShowDescription =
    L"Select hidden files, folders or drives from the list and click Next to make them show in "
    L"Explorer again. Use Change Main Password link below to change the password program asks "
    L"you before this step.";

}  // namespace

void TMainForm::LoadPictures() {
    buttonPictures_ = DecodePicture(ResourceBytes(IDR_BUTTON_PICTURES));
    treePictures_ = DecodePicture(ResourceBytes(IDR_TREE_PICTURES));
    const int pathPictures[] = {IDR_ENCRYPT_PAGE, IDR_DECRYPT_PAGE, IDR_SHRED_PAGE, IDR_HIDE_PAGE,
                                IDR_SHOW_PAGE};
    for (std::size_t i = 0; i < pathPictures_.size(); ++i)
        pathPictures_[i] = DecodePicture(ResourceBytes(pathPictures[i]));
    // Without its picture the window still opens; the error is told as any other.
    try {
        mainPicture_ = DecodePicture(ReadPictureFile(GetAppFolder() + L"res\\MainForm.jpg"));
    } catch (...) {
        ShowHandlerError(nullptr);
    }
}

void TMainForm::CreateControls() {
    for (auto& page : pages_)
        page = std::make_unique<TContainer>(window_, kNotebook, window_, TContainer::TLook::Page);
    CreateStatusBar();
    CreateMainPage();
    CreateEncryptPage();
    CreateChoosePage();
    CreateDecryptPage();
    CreateShredPage();
    CreateShowPage();
    pages_[6]->SetPicture(&pathPictures_[static_cast<int>(TPathPicture::Hide)], kPagePicture);
    CreateFinishPage();
    CreateButtonBar();
}

HWND TMainForm::AddControl(const wchar_t* name, TWizardPage page, const wchar_t* className,
                           const std::wstring& text, DWORD style, const RECT& place, HFONT font,
                           int id, DWORD exStyle) {
    const HWND control = CreateChild(pages_[static_cast<int>(page)]->Handle(), className, text,
                                     WS_VISIBLE | style, id, place, font, exStyle);
    if (name != nullptr)
        named_.emplace(name, control);
    return control;
}

// A label without a size reaches to the end of the column, one line high.
HWND TMainForm::AddLabel(const wchar_t* name, TWizardPage page, const std::wstring& text, int left,
                         int top, HFONT font, int width, int height) {
    const bool wrapped = width != 0;
    // Clear of the right edge, where a frame's line may run.
    if (!wrapped)
        width = kColumn + kColumnWidth - 4 - left;
    if (height == 0)
        height = kLabelHeight;
    return AddControl(name, page, L"STATIC", text,
                      (wrapped ? SS_LEFT : SS_LEFTNOWORDWRAP) | SS_NOPREFIX,
                      Place(left, top, width, height), font);
}

// Underlined navy text with a hand cursor, which the window's colour and cursor handling
// tells from the other labels.
HWND TMainForm::AddLink(const wchar_t* name, int id, TWizardPage page, const std::wstring& text,
                        int top) {
    return AddControl(name, page, L"STATIC", text, SS_LEFTNOWORDWRAP | SS_NOTIFY | SS_NOPREFIX,
                      Place(kColumn, top, 160, kLabelHeight + 2), linkFont_.Handle(), id);
}

HWND TMainForm::AddCheckBox(const wchar_t* name, int id, TWizardPage page, const std::wstring& text,
                            int left, int top) {
    return AddControl(name, page, L"BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX,
                      Place(left, top, kCheckBoxWidth, kCheckBoxHeight), font_.Handle(), id);
}

// A drop-down list without typing over a catalogue's entries, the first one chosen.
HWND TMainForm::AddDropDown(const wchar_t* name, int id, TWizardPage page, const RECT& place,
                            const wchar_t* (*entry)(std::size_t), std::size_t count) {
    const HWND combo = AddControl(
        name, page, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
        RECT{place.left, place.top, place.right, place.top + kDropDownHeight}, font_.Handle(), id);
    for (std::size_t i = 0; i < count; ++i)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry(i)));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    return combo;
}

void TMainForm::CreateMainPage() {
    constexpr auto page = TWizardPage::Main;
    pages_[0]->SetPicture(&mainPicture_, kPagePicture);
    AddLabel(L"Label2", page, L"What would you like to do?", kColumn, 14, boldFont_.Handle());
    operationsList_ = std::make_unique<TOperationsListBox>(
        pages_[0]->Handle(), kOperationsListBox, Place(kColumn, 33, kColumnWidth, 260), [this] {
            Guarded([this] {
                if (wizard_ != nullptr)
                    wizard_->OperationsListBoxClick();
            });
        });
    named_.emplace(L"OperationsListBox", operationsList_->Handle());
    for (const wchar_t* row : {L"Encrypt", L"Decrypt", L"Shred", L"Hide", L"Show"})
        SendMessageW(operationsList_->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    AddLabel(L"Label1", page, L"Select desired action from the list above", kColumn, 299,
             font_.Handle(), kColumnWidth, 64);
}

// The group boxes' contents are placed 23 pixels in from the box's left edge.
void TMainForm::CreateEncryptPage() {
    constexpr auto page = TWizardPage::EncryptSettings;
    constexpr int inner = kColumn + 23;
    pages_[1]->SetPicture(&pathPictures_[static_cast<int>(TPathPicture::Encrypt)], kPagePicture);
    pages_[static_cast<int>(page)]->AddFrame(Place(kColumn, 13, kColumnWidth, 230));
    AddLabel(L"Label9", page, L"Choose algorithm you want to crypt with:", inner, 34,
             boldFont_.Handle());
    encryptAlgorithm_ = AddDropDown(L"EncryptAlgorithmComboBox", kEncryptAlgorithmComboBox, page,
                                    Place(inner, 53, 321, 21), CipherListText, kCatalogueSize);
    hints_[encryptAlgorithm_] = L"Select algorithm";
    algorithmDescription_ = AddLabel(
        L"AlgorithmChooseLabel", page,
        L"Blowfish has a 64-bit block size and a key length of anywhere from 32 bits to 448 bits. "
        L"There is no effective cryptanalysis of Blowfish known publicly as of 2006, Extremely "
        L"strong protection.",
        inner, 13 + 67, font_.Handle(), 306, 147);

    pages_[static_cast<int>(page)]->AddFrame(Place(kColumn, 249, kColumnWidth, 153));
    AddLabel(L"Label5", page, L"Enter password:", inner, 270, boldFont_.Handle());
    encrypt_.passwordEdit =
        AddControl(nullptr, page, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD,
                   Place(inner, 289, 290, kEditHeight), font_.Handle(), kEncryptPasswordEdit,
                   WS_EX_CLIENTEDGE);
    AddControl(nullptr, page, L"BUTTON", L"...", WS_TABSTOP | BS_PUSHBUTTON,
               Place(kColumn + 319, 249 + 39, 23, 23), font_.Handle(), kEncryptLoadPassdButton);
    encrypt_.maskCheckBox =
        AddCheckBox(L"EncryptMaskPasswordCheckBox", kEncryptMaskPasswordCheckBox, page,
                    L"Mask password", inner, 316);
    encrypt_.deleteCheckBox =
        AddCheckBox(L"EncryptDeleteAfterCheckBox", kEncryptDeleteAfterCheckBox, page,
                    L"Delete source files after encryption", inner, 339);
}

void TMainForm::CreateChoosePage() {
    constexpr auto page = TWizardPage::ChooseFiles;
    chooseFilesHeader_ = AddLabel(L"ChooseFilesHeaderLabel", page, L"Choose files:", kColumn, 13,
                                  boldFont_.Handle());
    filesTree_ = std::make_unique<TFilesTreeView>(pages_[2]->Handle(), kFilesTreeView,
                                                  Place(kColumn, 32, kColumnWidth, 280),
                                                  font_.Handle(), treePictures_);
    chooseFilesDesc_ = AddLabel(L"ChooseFilesDescLabel", page, L"Choose files, folders or drives.",
                                kColumn, 318, font_.Handle(), kColumnWidth, 59);
    changeMainPassLink1_ = AddLink(L"ChangeMainPassLabel1", kChangeMainPassLabel1, page,
                                   L"Change main password...", 383);
    ShowWindow(changeMainPassLink1_, SW_HIDE);
}

void TMainForm::CreateDecryptPage() {
    constexpr auto page = TWizardPage::DecryptSettings;
    constexpr int inner = kColumn + 23;
    pages_[3]->SetPicture(&pathPictures_[static_cast<int>(TPathPicture::Decrypt)], kPagePicture);
    pages_[static_cast<int>(page)]->AddFrame(Place(kColumn, 13, kColumnWidth, 167));
    AddLabel(L"Label4", page, L"Enter password:", inner, 13 + 21, boldFont_.Handle());
    decrypt_.passwordEdit =
        AddControl(nullptr, page, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD,
                   Place(inner, 13 + 40, 290, 24), largeFont_.Handle(), kDecryptPasswordEdit,
                   WS_EX_CLIENTEDGE);
    decrypt_.maskCheckBox =
        AddCheckBox(L"DecryptMaskPasswordCheckBox", kDecryptMaskPasswordCheckBox, page,
                    L"Mask password", inner, 13 + 70);
    decrypt_.deleteCheckBox =
        AddCheckBox(L"DecryptDeleteAfterCryptCheckBox", kDecryptDeleteAfterCryptCheckBox, page,
                    L"Delete source files after decryption", inner, 13 + 93);
    AddControl(nullptr, page, L"BUTTON", L"...", WS_TABSTOP | BS_PUSHBUTTON,
               Place(kColumn + 319, 13 + 39, 23, 23), font_.Handle(), kDecryptLoadPassButton);
    for (const TCryptControls* controls : {&encrypt_, &decrypt_}) {
        SendMessageW(controls->passwordEdit, EM_SETPASSWORDCHAR, L'*', 0);
        SendMessageW(controls->maskCheckBox, BM_SETCHECK, BST_CHECKED, 0);
    }
}

void TMainForm::CreateShredPage() {
    constexpr auto page = TWizardPage::ShredSettings;
    constexpr int inner = kColumn + 23;
    pages_[4]->SetPicture(&pathPictures_[static_cast<int>(TPathPicture::Shred)], kPagePicture);
    pages_[static_cast<int>(page)]->AddFrame(Place(kColumn, 13, kColumnWidth, 249));
    AddLabel(L"Label6", page, L"Choose your shredding algorithm:", inner, 13 + 21,
             boldFont_.Handle());
    shredAlgorithm_ = AddDropDown(L"ShredAlgorithmComboBox", kShredAlgorithmComboBox, page,
                                  Place(inner, 13 + 44, 314, 21), ShredListText, kShredSchemeCount);
    shredDescription_ =
        AddLabel(L"ShredAlgorithmDecsLabel", page,
                 L"Quick Wiping - an easy way of clearing information approved U.S. Department of "
                 L"Defense. It must not be applied for important secret information.",
                 inner, 13 + 77, font_.Handle(), 314, 138);
}

void TMainForm::CreateShowPage() {
    constexpr auto page = TWizardPage::ShowList;
    pages_[5]->SetPicture(&pathPictures_[static_cast<int>(TPathPicture::Show)], kPagePicture);
    AddLabel(L"Label3", page, L"Which hidden files do you want to show?", kColumn, 16,
             boldFont_.Handle());
    hiddenFiles_ =
        std::make_unique<TCheckListBox>(pages_[5]->Handle(), kHiddenFilesListBox,
                                        Place(kColumn, 35, kColumnWidth, 278), font_.Handle());
    AddLabel(L"Label7", page, kShowDescription, kColumn, 325, font_.Handle(), kColumnWidth, 52);
    changeMainPassLink2_ = AddLink(L"ChangeMainPassLabel2", kChangeMainPassLabel2, page,
                                   L"Change Main Password...", 383);
}

void TMainForm::CreateFinishPage() {
    constexpr auto page = TWizardPage::Finish;
    finishInfo_ = AddLabel(L"FinishInfoLabel", page, L"Operation completed", kColumn, 16,
                           boldFont_.Handle(), kColumnWidth, 19);
    filesLabel_ = AddLabel(L"FilesLabel", page, L"No files processed", kColumn, 67, font_.Handle(),
                           kColumnWidth, 40);
    pages_[7]->SetPicture(nullptr, kFinishPicture);
}

void TMainForm::CreateButtonBar() {
    lowerPanel_ =
        std::make_unique<TContainer>(window_, kLowerPanel, window_, TContainer::TLook::Panel);
    const HWND panel = lowerPanel_->Handle();
    using TSide = TPictureButton::TPictureSide;
    const auto add = [&](const wchar_t* name, int id, const wchar_t* caption, int left, int width,
                         int picture, TSide side = TSide::Left) {
        auto button =
            std::make_unique<TPictureButton>(panel, id, caption, Place(left, 7, width, 30),
                                             font_.Handle(), buttonPictures_, picture, side);
        named_.emplace(name, button->Handle());
        return button;
    };
    optionsButton_ = add(L"OptionsButton", kOptionsButton, L"", 13, 30, kOptionsPicture);
    helpButton_ = add(L"HelpButton", kHelpButton, L"Help", 48, 90, kHelpPicture);
    backButton_ = add(L"BackButton", kBackButton, L"Back", 315, 100, kBackPicture);
    nextButton_ = add(L"NextButton", kNextButton, L"Next", 421, 100, kNextPicture, TSide::Right);
    exitButton_ = add(L"ExitButton", kExitButton, L"Exit", 591, 100, kExitPicture);
    finishButton_ = add(L"FinishButton", kFinishButton, L"Finish", 591, 100, kFinishButtonPicture);
    hints_[optionsButton_->Handle()] = L"Show Options dialog";
    hints_[helpButton_->Handle()] = L"Show Help file";
    hints_[backButton_->Handle()] = L"Show previous step";
    hints_[nextButton_->Handle()] = L"Show next step";
    hints_[exitButton_->Handle()] = L"Exit";
    // No path is open: Next and Back hidden; Finish lies under Exit.
    ShowWindow(backButton_->Handle(), SW_HIDE);
    ShowWindow(nextButton_->Handle(), SW_HIDE);
    ShowWindow(finishButton_->Handle(), SW_HIDE);
    ShowWindow(panel, SW_SHOW);
}

void TMainForm::CreateStatusBar() {
    statusBar_ = CreateChild(
        window_, STATUSCLASSNAMEW, L"",
        WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, kStatusBar,
        Place(0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight), font_.Handle());
    int parts[] = {-1};
    SendMessageW(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
    SendMessageW(statusBar_, SB_SETTEXTW, SBT_OWNERDRAW, 0);
}

}  // namespace dovrel
