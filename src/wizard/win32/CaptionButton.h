#pragma once

#include <windows.h>

#include <functional>

namespace dovrel {

// A help button drawn in a window's title bar, left of its minimize box. The system offers
// its own help button only to windows without minimize and maximize boxes, so this one is
// drawn and hit-tested here. The window's procedure hands every message to HandleMessage
// first.
class TCaptionButton {
public:
    TCaptionButton(HWND window, std::function<void()> onClick);

    // True when the message was used up; `result` is then the window procedure's answer.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    // The button's place in window coordinates.
    RECT Place() const;
    bool Contains(POINT screenPoint) const;
    void Paint() const;
    void SetPressed(bool pressed);

    HWND window_;
    std::function<void()> onClick_;
    bool tracking_ = false;
    bool pressed_ = false;
};

}  // namespace dovrel
