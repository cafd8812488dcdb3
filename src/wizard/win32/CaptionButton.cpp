#include "CaptionButton.h"

#include <windowsx.h>

namespace dovrel {

namespace {

// Between the caption buttons and the frame, as the system draws them.
constexpr int kButtonGap = 2;

}  // namespace

TCaptionButton::TCaptionButton(HWND window, std::function<void()> onClick)
    : window_(window), onClick_(std::move(onClick)) {}

RECT TCaptionButton::Place() const {
    RECT frame{};
    GetWindowRect(window_, &frame);
    const int buttonWidth = GetSystemMetrics(SM_CXSIZE) - kButtonGap;
    const int height = GetSystemMetrics(SM_CYSIZE) - 2 * kButtonGap;
    const int top = GetSystemMetrics(SM_CYFIXEDFRAME) + kButtonGap;
    // Right to left: the close box, a gap, the maximize and minimize boxes, a gap.
    int right = (frame.right - frame.left) - GetSystemMetrics(SM_CXFIXEDFRAME) - kButtonGap;
    right -= buttonWidth + kButtonGap;
    right -= 2 * buttonWidth + kButtonGap;
    return RECT{right - buttonWidth, top, right, top + height};
}

bool TCaptionButton::Contains(POINT screenPoint) const {
    RECT frame{};
    GetWindowRect(window_, &frame);
    const POINT inWindow{screenPoint.x - frame.left, screenPoint.y - frame.top};
    const RECT place = Place();
    return PtInRect(&place, inWindow) != FALSE;
}

void TCaptionButton::Paint() const {
    const HDC dc = GetWindowDC(window_);
    RECT place = Place();
    DrawFrameControl(dc, &place, DFC_CAPTION, DFCS_CAPTIONHELP | (pressed_ ? DFCS_PUSHED : 0));
    ReleaseDC(window_, dc);
}

void TCaptionButton::SetPressed(bool pressed) {
    if (pressed_ == pressed)
        return;
    pressed_ = pressed;
    Paint();
}

bool TCaptionButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_NCPAINT:
        case WM_NCACTIVATE:
        case WM_SETTEXT:
            // The system paints the caption afresh for each of these.
            result = DefWindowProcW(window_, message, wParam, lParam);
            Paint();
            return true;
        case WM_NCHITTEST: {
            result = DefWindowProcW(window_, message, wParam, lParam);
            if (result == HTCAPTION && Contains({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
                result = HTHELP;
            return true;
        }
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (wParam != HTHELP)
                return false;
            tracking_ = true;
            SetCapture(window_);
            SetPressed(true);
            result = 0;
            return true;
        case WM_MOUSEMOVE:
            if (!tracking_)
                return false;
            {
                POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                ClientToScreen(window_, &point);
                SetPressed(Contains(point));
            }
            result = 0;
            return true;
        case WM_LBUTTONUP:
            if (!tracking_)
                return false;
            {
                const bool clicked = pressed_;
                tracking_ = false;
                ReleaseCapture();
                SetPressed(false);
                if (clicked)
                    onClick_();
            }
            result = 0;
            return true;
        case WM_CAPTURECHANGED:
            tracking_ = false;
            SetPressed(false);
            return false;
        default:
            return false;
    }
}

}  // namespace dovrel
