#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "Controls.h"
#include "Pictures.h"

namespace dovrel {

// The main page's list of operations: owner-drawn rows of 51 pixels, each with the
// operation's picture, its name in bold and its description wrapped below. The selection
// follows the pointer and is the highlight: the highlighted picture on light blue.
class TOperationsListBox {
public:
    static constexpr int kRowHeight = 51;

    // Decodes the operation pictures, which start-up has read.
    TOperationsListBox(HWND parent, int id, const RECT& place, std::function<void()> onClick);
    TOperationsListBox(const TOperationsListBox&) = delete;
    TOperationsListBox& operator=(const TOperationsListBox&) = delete;

    HWND Handle() const noexcept { return window_; }
    // The row under the pointer, -1 for none.
    int Row() const;
    // Characters per description line: the list's width in widths of "a", less four.
    int ComputeWrapWidth() const;
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    void Track(LPARAM point);
    int FontHeight() const;

    TFont font_{L"MS Sans Serif", 8};
    TFont bold_{L"MS Sans Serif", 8, true};
    HWND window_;
    std::function<void()> onClick_;
    std::vector<TBitmap> normal_;
    std::vector<TBitmap> highlighted_;
    bool tracking_ = false;
};

}  // namespace dovrel
