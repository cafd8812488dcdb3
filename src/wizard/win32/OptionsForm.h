#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "Container.h"
#include "DialogForm.h"
#include "Pictures.h"
#include "wizard/OptionsFormUnit.h"

namespace dovrel {

class TMainPassDialog;
class TNewPassDialog;
class TPasswordMessages;

enum class TOptionsPage { General, About };

// What the options dialog works with, made after it.
struct TOptionsFormPartners {
    TMainPassDialog& mainPassword;
    TNewPassDialog& newPassword;
    TPasswordMessages& passwordMessages;
    std::function<void()> showHelp;  // the main window's help
};

// The options dialog, shown without being modal: the shell-integration settings of the
// options file and the change of the main password on "General", the program and its
// version on "About". The check boxes are read from the options file at every showing and
// written only by OK, which then registers or removes the context-menu extension.
class TOptionsForm final : public TDialogForm, private TOptionsView {
public:
    explicit TOptionsForm(HWND owner);

    void Connect(const TOptionsFormPartners& partners);
    void Show(TOptionsPage page);
    // The dialog keys (Tab, Enter, Escape) and F1 of messages for this dialog; true when
    // the message was used up.
    bool PreTranslateMessage(MSG& message);
    // Replaces the designed product name in the integration check box, once at start-up.
    void RewriteIntegrateCaption();
    // The hints of the controls, by window; the main window's status bar shows them.
    const std::map<HWND, std::wstring>& Hints() const noexcept { return hints_; }

private:
    void CreateGeneralPage();
    void CreateAboutPage();
    HWND AddTo(TContainer& sheet, const wchar_t* className, const std::wstring& text, DWORD style,
               int id, const RECT& place, HFONT font = nullptr);
    // A captioned etched frame, drawn by the sheet with its caption over the top line.
    void AddGroup(TContainer& sheet, const std::wstring& caption, const RECT& place);
    void SelectPage(TOptionsPage page);

    void OnCommand(int id, int code, HWND control) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Hide();

    // --- TOptionsView ---
    TShellOptions Ticks() const override;
    void SetTicks(const TShellOptions& ticks) override;

    TFont boldFont_{L"Tahoma", 8, true};
    TBitmap aboutPicture_;
    HWND pages_ = nullptr;
    std::array<std::unique_ptr<TContainer>, 2> sheets_;  // by TOptionsPage
    HWND integrateCheckBox_ = nullptr;
    HWND cascadedCheckBox_ = nullptr;
    std::map<HWND, std::wstring> hints_;
    std::unique_ptr<TOptionsFormPartners> partners_;
};

}  // namespace dovrel
