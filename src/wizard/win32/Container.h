#pragma once

#include <windows.h>

#include <vector>

#include "Pictures.h"

namespace dovrel {

// A child window that holds controls: a page of the page book (white, with its decorative
// picture), the button bar (the face colour with a lowered inner bevel) or a sheet of a
// dialog's tabs (the face colour). The controls'
// notifications and colour requests go on to `target`, the main window, which handles
// them as if the controls were its own.
class TContainer {
public:
    enum class TLook { Page, Panel, Sheet };

    TContainer(HWND parent, const RECT& place, HWND target, TLook look);
    ~TContainer();
    TContainer(const TContainer&) = delete;
    TContainer& operator=(const TContainer&) = delete;

    HWND Handle() const noexcept { return window_; }
    // Draws `picture` (not owned; none for no picture) at (left, top), cut to width x height.
    void SetPicture(const TBitmap* picture, const RECT& place);
    // An etched frame around a group of controls, drawn by the page itself: a group box
    // control would cover the controls it frames or let old pixels show through.
    void AddFrame(const RECT& place);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;

    HWND window_ = nullptr;
    HWND target_;
    TLook look_;
    const TBitmap* picture_ = nullptr;
    RECT picturePlace_{};
    std::vector<RECT> frames_;
};

}  // namespace dovrel
