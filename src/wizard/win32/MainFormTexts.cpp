// The main window's texts: the properties its language controller translates, the status
// bar's text and the description labels of the two drop-down lists.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "MainForm.h"
#include "crypto/CryptoAlgorithms.h"
#include "platform/Error.h"
#include "shred/ShredAlgorithms.h"
#include "wizard/StatusHint.h"

namespace dovrel {

namespace {

constexpr std::wstring_view kLineBreak = L"\r\n";

enum class TListKind { None, ListBox, ComboBox };

TListKind ListKind(HWND control) {
    wchar_t name[32] = L"";
    GetClassNameW(control, name, 32);
    if (lstrcmpiW(name, L"ListBox") == 0)
        return TListKind::ListBox;
    if (lstrcmpiW(name, L"ComboBox") == 0)
        return TListKind::ComboBox;
    return TListKind::None;
}

struct TListMessages {
    UINT count, textLength, text, reset, add, getSelection, setSelection, find;
};

constexpr TListMessages kListBox{LB_GETCOUNT,  LB_GETTEXTLEN, LB_GETTEXT,   LB_RESETCONTENT,
                                 LB_ADDSTRING, LB_GETCURSEL,  LB_SETCURSEL, LB_FINDSTRINGEXACT};
constexpr TListMessages kComboBox{CB_GETCOUNT,  CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_RESETCONTENT,
                                  CB_ADDSTRING, CB_GETCURSEL,    CB_SETCURSEL, CB_FINDSTRINGEXACT};

const TListMessages& Messages(HWND control) {
    return ListKind(control) == TListKind::ComboBox ? kComboBox : kListBox;
}

std::wstring Line(HWND control, const TListMessages& messages, int index) {
    const auto length = SendMessageW(control, messages.textLength, static_cast<WPARAM>(index), 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(control, messages.text, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// A list's lines as one text, joined by line breaks.
std::wstring ItemsText(HWND control) {
    const TListMessages& messages = Messages(control);
    const auto count = static_cast<int>(SendMessageW(control, messages.count, 0, 0));
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += kLineBreak;
        text += Line(control, messages, i);
    }
    return text;
}

// New lines for a list. The chosen row stays chosen: a drop-down list must keep a choice,
// or the settings page would start a run with none.
void SetItemsText(HWND control, const std::wstring& text) {
    const TListMessages& messages = Messages(control);
    const auto selected = static_cast<int>(SendMessageW(control, messages.getSelection, 0, 0));
    SendMessageW(control, messages.reset, 0, 0);
    // As list texts go, a final line break ends the last line and starts none.
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find(kLineBreak, start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring line = text.substr(start, end - start);
        SendMessageW(control, messages.add, 0, reinterpret_cast<LPARAM>(line.c_str()));
        start = end + kLineBreak.size();
    }
    const auto count = static_cast<int>(SendMessageW(control, messages.count, 0, 0));
    if (selected >= 0)
        SendMessageW(control, messages.setSelection,
                     static_cast<WPARAM>(selected < count ? selected : 0), 0);
}

// A drop-down list's text is its chosen row; setting it chooses the row of that text.
std::wstring ChosenText(HWND control) {
    const TListMessages& messages = Messages(control);
    const auto selected = static_cast<int>(SendMessageW(control, messages.getSelection, 0, 0));
    return selected < 0 ? std::wstring() : Line(control, messages, selected);
}

void ChooseText(HWND control, const std::wstring& text) {
    const TListMessages& messages = Messages(control);
    const auto found = SendMessageW(control, messages.find, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    if (found >= 0)
        SendMessageW(control, messages.setSelection, static_cast<WPARAM>(found), 0);
}

}  // namespace

HWND TMainForm::NamedControl(std::wstring_view name) const {
    if (name.empty())
        return window_;
    const auto found = named_.find(name);
    if (found == named_.end())
        throw Error(L"The main window has no control " + std::wstring(name) + L".");
    return found->second;
}

std::wstring TMainForm::PropertyText(std::wstring_view control, std::wstring_view property) {
    if (control == L"PasswordOpenDialog")
        return property == L"Filter" ? passwordDialogFilter_ : passwordDialogTitle_;
    const HWND window = NamedControl(control);
    if (property == L"Hint") {
        const auto found = hints_.find(window);
        return found != hints_.end() ? found->second : std::wstring();
    }
    if (property == L"Items")
        return ItemsText(window);
    if (property == L"Text" && ListKind(window) == TListKind::ComboBox)
        return ChosenText(window);
    return WindowText(window);
}

void TMainForm::SetPropertyText(std::wstring_view control, std::wstring_view property,
                                const std::wstring& text) {
    if (control == L"PasswordOpenDialog") {
        (property == L"Filter" ? passwordDialogFilter_ : passwordDialogTitle_) = text;
        return;
    }
    const HWND window = NamedControl(control);
    if (property == L"Hint") {
        hints_[window] = text;
    } else if (property == L"Items") {
        SetItemsText(window, text);
    } else if (property == L"Text" && ListKind(window) == TListKind::ComboBox) {
        ChooseText(window, text);
    } else {
        SetWindowTextW(window, text.c_str());
        InvalidateRect(window, nullptr, TRUE);
    }
}

std::wstring TMainForm::HintUnderPointer() const {
    POINT pointer{};
    GetCursorPos(&pointer);
    HWND window = WindowFromPoint(pointer);
    if (window == nullptr)
        return {};
    const HWND top = GetAncestor(window, GA_ROOT);
    if (top != window_ &&
        std::find(hintWindows_.begin(), hintWindows_.end(), top) == hintWindows_.end())
        return {};
    // A control without a hint of its own shows its parent's, up to its window's.
    for (; window != nullptr && window != top; window = GetParent(window)) {
        const auto found = hints_.find(window);
        if (found != hints_.end() && !found->second.empty())
            return found->second;
    }
    return {};
}

void TMainForm::UpdateStatusText() {
    std::wstring text = StatusText(HintUnderPointer(), windowHint_);
    if (text == statusText_)
        return;
    statusText_ = std::move(text);
    SendMessageW(statusBar_, SB_SETTEXTW, SBT_OWNERDRAW, 0);
    InvalidateRect(statusBar_, nullptr, TRUE);
}

void TMainForm::DrawStatusPanel(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const HGDIOBJ old = SelectObject(dc, font_.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOutW(dc, item.rcItem.left, item.rcItem.top, statusText_.c_str(),
             static_cast<int>(statusText_.size()));
    SelectObject(dc, old);
}

void TMainForm::EncryptAlgorithmComboBoxChange() {
    const int index = EncryptCipherIndex();
    const auto& catalogue = CipherCatalogue();
    if (index >= 0 && static_cast<std::size_t>(index) < catalogue.size())
        SetWindowTextW(algorithmDescription_,
                       GetCipherDescription(*catalogue[static_cast<std::size_t>(index)]).c_str());
}

void TMainForm::ShredAlgorithmComboBoxChange() {
    const int index = ShredSchemeIndex();
    const auto& catalogue = ShredCatalogue();
    if (index >= 0 && static_cast<std::size_t>(index) < catalogue.size())
        SetWindowTextW(shredDescription_,
                       GetShredDescription(*catalogue[static_cast<std::size_t>(index)]).c_str());
}

}  // namespace dovrel
