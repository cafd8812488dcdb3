#include "Container.h"

#include "Controls.h"
#include "platform/Error.h"
#include "platform/SystemError.h"

namespace dovrel {

namespace {

constexpr const wchar_t* kClassName = L"TDovrelContainer";

bool IsForwarded(UINT message) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_HELP:
            return true;
        default:
            return false;
    }
}

}  // namespace

TContainer::TContainer(HWND parent, const RECT& place, HWND target, TLook look)
    : target_(target), look_(look) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TContainer::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterWindowClass(windowClass);
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"",
                              WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, parent, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (window_ == nullptr)
        throw Error(L"Cannot create a page of a window. " + SystemErrorText(GetLastError()));
}

TContainer::~TContainer() {
    if (IsWindow(window_))
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

void TContainer::SetPicture(const TBitmap* picture, const RECT& place) {
    picture_ = picture;
    picturePlace_ = place;
    InvalidateRect(window_, &picturePlace_, TRUE);
}

void TContainer::AddFrame(const RECT& place) {
    frames_.push_back(place);
    InvalidateRect(window_, &place, TRUE);
}

void TContainer::Paint(HDC dc) const {
    RECT client{};
    GetClientRect(window_, &client);
    if (look_ == TLook::Page) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        if (look_ == TLook::Panel)
            DrawEdge(dc, &client, BDR_SUNKENINNER, BF_RECT);
    }
    for (RECT frame : frames_)
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (picture_ != nullptr && *picture_) {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, picturePlace_.left, picturePlace_.top, picturePlace_.right,
                          picturePlace_.bottom);
        DrawBitmap(dc, *picture_, picturePlace_.left, picturePlace_.top);
        RestoreDC(dc, saved);
    }
}

LRESULT CALLBACK TContainer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<TContainer*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    const auto* self = reinterpret_cast<TContainer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (IsForwarded(message))
        return SendMessageW(self->target_, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            self->Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            // Themed controls draw their parent's background behind them.
            self->Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace dovrel
