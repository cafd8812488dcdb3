#include "OperationsListBox.h"

#include <commctrl.h>

#include "engine/OperationList.h"
#include "engine/Operations.h"
#include "wizard/DescriptionLines.h"

namespace dovrel {

namespace {

constexpr COLORREF kHighlight = RGB(221, 239, 255);
constexpr int kPictureLeft = 15;
constexpr int kTextLeft = 80;
constexpr int kNameTop = 10;

}  // namespace

TOperationsListBox::TOperationsListBox(HWND parent, int id, const RECT& place,
                                       std::function<void()> onClick)
    : window_(CreateChild(
          parent, L"LISTBOX", L"",
          WS_VISIBLE | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, id,
          place, nullptr)),
      onClick_(std::move(onClick)) {
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    SendMessageW(window_, LB_SETITEMHEIGHT, 0, kRowHeight);
    for (std::size_t i = 0; i < kOperationCount; ++i) {
        normal_.push_back(DecodePicture(NormalPicture(i)));
        highlighted_.push_back(DecodePicture(HighlightedPicture(i)));
    }
    SetWindowSubclass(window_, &TOperationsListBox::Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

int TOperationsListBox::Row() const {
    return static_cast<int>(SendMessageW(window_, LB_GETCURSEL, 0, 0));
}

int TOperationsListBox::ComputeWrapWidth() const {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font_.Handle());
    SIZE letter{0, 0};
    GetTextExtentPoint32W(dc, L"a", 1, &letter);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    RECT frame{};
    GetWindowRect(window_, &frame);
    return ComputeDescriptionWrapWidth(frame.right - frame.left, letter.cx);
}

// The height of the list's font from its text metrics, measured on the screen.
int TOperationsListBox::FontHeight() const {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font_.Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

void TOperationsListBox::Draw(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= kOperationCount)
        return;
    const std::size_t row = item.itemID;
    const RECT& rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const TBitmap& picture = selected ? highlighted_[row] : normal_[row];
    const HDC dc = item.hDC;
    const HBRUSH background = CreateSolidBrush(selected ? kHighlight : RGB(255, 255, 255));
    FillRect(dc, &rect, background);
    DeleteObject(background);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    DrawBitmap(dc, picture, rect.left + kPictureLeft,
               (rect.top + rect.bottom) / 2 - picture.Height() / 2);

    const TOperation& entry = OperationEntry(row);
    const HGDIOBJ old = SelectObject(dc, bold_.Handle());
    TextOutW(dc, rect.left + kTextLeft, rect.top + kNameTop, entry.Name.c_str(),
             static_cast<int>(entry.Name.size()));
    SelectObject(dc, font_.Handle());
    const int height = FontHeight();
    int line = 1;
    for (const std::wstring& text : DescriptionLines(entry.Description, DescriptionWrapWidth())) {
        TextOutW(dc, rect.left + kTextLeft, rect.top + (line + 1) * height, text.c_str(),
                 static_cast<int>(text.size()));
        ++line;
    }
    SelectObject(dc, old);
}

// The row under the pointer becomes the selection, none when it is over no row.
void TOperationsListBox::Track(LPARAM point) {
    const auto found = static_cast<DWORD>(SendMessageW(window_, LB_ITEMFROMPOINT, 0, point));
    int row = HIWORD(found) != 0 ? -1 : static_cast<int>(LOWORD(found));
    if (row >= static_cast<int>(SendMessageW(window_, LB_GETCOUNT, 0, 0)))
        row = -1;
    if (row != Row())
        SendMessageW(window_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
    }
}

LRESULT CALLBACK TOperationsListBox::Subclass(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TOperationsListBox*>(data);
    switch (message) {
        case WM_MOUSEMOVE:
            self->Track(lParam);
            return 0;
        case WM_MOUSELEAVE:
            self->tracking_ = false;
            SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_LBUTTONUP: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            // After the list let go of the mouse: the click may replace the page.
            self->Track(lParam);
            self->onClick_();
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &TOperationsListBox::Subclass, 1);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace dovrel
