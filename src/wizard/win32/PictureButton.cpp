#include "PictureButton.h"

#include <commctrl.h>

#include "Controls.h"

namespace dovrel {

namespace {

constexpr int kPictureSize = 16;
constexpr int kGap = 4;  // between picture and caption
// A disabled button's picture is drawn faded.
constexpr BYTE kDisabledOpacity = 90;

}  // namespace

TPictureButton::TPictureButton(HWND parent, int id, const std::wstring& caption, const RECT& place,
                               HFONT font, const TBitmap& pictures, int picture, TPictureSide side)
    : window_(CreateChild(parent, L"BUTTON", caption, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, id,
                          place, font)),
      pictures_(pictures),
      picture_(picture),
      side_(side) {
    SetWindowSubclass(window_, &TPictureButton::Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

void TPictureButton::Draw(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    if (pressed)
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    else if (hot_ && !disabled)
        DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);

    const auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    const HGDIOBJ oldFont = SelectObject(dc, font);
    const std::wstring caption = WindowText(window_);
    SIZE text{0, 0};
    RECT measure{0, 0, 0, 0};
    if (!caption.empty()) {
        DrawTextW(dc, caption.c_str(), -1, &measure, DT_SINGLELINE | DT_CALCRECT);
        text = {measure.right, measure.bottom};
    }
    const int content = kPictureSize + (caption.empty() ? 0 : kGap + text.cx);
    const int shift = pressed ? 1 : 0;
    int left = rect.left + (rect.right - rect.left - content) / 2 + shift;
    const int middle = (rect.top + rect.bottom) / 2 + shift;
    int pictureLeft = left;
    if (side_ == TPictureSide::Right && !caption.empty()) {
        pictureLeft = left + text.cx + kGap;
    } else {
        left += kPictureSize + kGap;
    }
    DrawBitmapPart(dc, pictures_, picture_ * kPictureSize, kPictureSize, pictureLeft,
                   middle - kPictureSize / 2, disabled ? kDisabledOpacity : 255);
    if (!caption.empty()) {
        RECT textRect{left, middle - text.cy / 2, left + text.cx, middle - text.cy / 2 + text.cy};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        DrawTextW(dc, caption.c_str(), -1, &textRect, DT_SINGLELINE);
    }
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        InflateRect(&rect, -3, -3);
        DrawFocusRect(dc, &rect);
    }
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK TPictureButton::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TPictureButton*>(data);
    switch (message) {
        case WM_MOUSEMOVE:
            if (!self->hot_) {
                self->hot_ = true;
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                TrackMouseEvent(&track);
                InvalidateRect(window, nullptr, FALSE);
            }
            break;
        case WM_MOUSELEAVE:
            self->hot_ = false;
            InvalidateRect(window, nullptr, FALSE);
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &TPictureButton::Subclass, 1);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace dovrel
