#pragma once

#include <functional>
#include <string>

#include "hiding/HiddenConfig.h"

// The main password guards hiding and showing. It is compared character for character,
// letter case included, never trimmed, never hashed; the empty text means none is set.
// The windows are the wizard's: the logic here is written against these interfaces.
namespace dovrel {

// How a modal dialog closed. Anything but OK and Cancel is "other".
enum class TModalResult { mrOk, mrCancel, mrOther };

// The main password entry dialog.
class TMainPassDialog {
public:
    virtual ~TMainPassDialog() = default;
    // Shows the dialog modally with its edit emptied and focused. Cancel, the close box and
    // Escape all give mrCancel.
    virtual TModalResult ShowModal() = 0;
    // What was typed into the password edit when the dialog closed.
    virtual std::wstring Password() const = 0;
};

// Decides on the two texts of the new-password dialog when OK is pressed: true closes the
// dialog with OK, false keeps it open with both texts as they are.
using TNewPassHandler =
    std::function<bool(const std::wstring& password, const std::wstring& again)>;

// The new-password dialog, whose OK button does not close it by itself.
class TNewPassDialog {
public:
    virtual ~TNewPassDialog() = default;
    // Shows the dialog modally with both edits emptied, the first focused; calls `onOk`
    // at every press of OK and closes with mrOk once it returns true. Cancel closes with
    // mrCancel.
    virtual TModalResult ShowModal(const TNewPassHandler& onOk) = 0;
};

// A message box with no owner, an empty caption, the error icon and one OK button.
class TPasswordMessages {
public:
    virtual ~TPasswordMessages() = default;
    virtual void ShowError(const std::wstring& text) = 0;
};

// Asks for the main password until it is right or the user cancels; true for the right
// one. While none is set, whatever is typed (nothing included) becomes the password.
bool CheckMainPassword(THiddenConfig& store, TMainPassDialog& dialog, TPasswordMessages& messages);

// The OK button of the new-password dialog: two equal texts become the password (two empty
// ones unset it) and true is returned; different ones are refused with a message.
bool AcceptNewPassword(THiddenConfig& store, const std::wstring& password,
                       const std::wstring& again, TPasswordMessages& messages);

// Shows the new-password dialog; true when it set a new password, false when cancelled.
bool ChangeMainPassword(THiddenConfig& store, TNewPassDialog& dialog, TPasswordMessages& messages);

}  // namespace dovrel
