#include "CheckListBox.h"

#include <commctrl.h>

#include "Controls.h"

namespace dovrel {

namespace {

constexpr int kRowHeight = 17;
constexpr int kBoxSize = 13;
constexpr int kBoxArea = 18;  // the box and the space up to the row's text

}  // namespace

TCheckListBox::TCheckListBox(HWND parent, int id, const RECT& place, HFONT font)
    : window_(CreateChild(parent, L"LISTBOX", L"",
                          WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED |
                              LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                          id, place, font, WS_EX_CLIENTEDGE)) {
    SendMessageW(window_, LB_SETITEMHEIGHT, 0, kRowHeight);
    SetWindowSubclass(window_, &TCheckListBox::Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

void TCheckListBox::SetItems(const std::vector<std::wstring>& texts) {
    SendMessageW(window_, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& text : texts)
        SendMessageW(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // Long paths can be scrolled to.
    const HDC dc = GetDC(window_);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::wstring& text : texts) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = size.cx > widest ? size.cx : widest;
    }
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    SendMessageW(window_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + kBoxArea + 8), 0);
}

int TCheckListBox::Count() const {
    return static_cast<int>(SendMessageW(window_, LB_GETCOUNT, 0, 0));
}

bool TCheckListBox::Checked(int row) const {
    return SendMessageW(window_, LB_GETITEMDATA, static_cast<WPARAM>(row), 0) == 1;
}

void TCheckListBox::Toggle(int row) {
    if (row < 0 || row >= Count())
        return;
    SendMessageW(window_, LB_SETITEMDATA, static_cast<WPARAM>(row), Checked(row) ? 0 : 1);
    RECT rect{};
    SendMessageW(window_, LB_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&rect));
    InvalidateRect(window_, &rect, FALSE);
}

void TCheckListBox::Draw(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1))
        return;
    const HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
    RECT box{rect.left + 2, rect.top + (kRowHeight - kBoxSize) / 2, 0, 0};
    box.right = box.left + kBoxSize;
    box.bottom = box.top + kBoxSize;
    DrawFrameControl(
        dc, &box, DFC_BUTTON,
        DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(static_cast<int>(item.itemID)) ? DFCS_CHECKED : 0));

    const auto length = SendMessageW(window_, LB_GETTEXTLEN, item.itemID, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(window_, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    RECT textRect{rect.left + kBoxArea, rect.top, rect.right, rect.bottom};
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT highlight{textRect.left, textRect.top, textRect.left + size.cx + 4, textRect.bottom};
    if (selected)
        FillRect(dc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    textRect.left += 2;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(dc, &highlight);
}

LRESULT CALLBACK TCheckListBox::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TCheckListBox*>(data);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            const auto found =
                static_cast<DWORD>(SendMessageW(window, LB_ITEMFROMPOINT, 0, lParam));
            const int scrolled = GetScrollPos(window, SB_HORZ);
            if (HIWORD(found) == 0 && static_cast<short>(LOWORD(lParam)) + scrolled < kBoxArea)
                self->Toggle(static_cast<int>(LOWORD(found)));
            return result;
        }
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                self->Toggle(static_cast<int>(SendMessageW(window, LB_GETCURSEL, 0, 0)));
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &TCheckListBox::Subclass, 1);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace dovrel
