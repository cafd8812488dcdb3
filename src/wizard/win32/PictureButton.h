#pragma once

#include <windows.h>

#include <string>

#include "Pictures.h"

namespace dovrel {

// A flat button of the button bar: a small picture beside its caption (or the picture
// alone), a raised edge while the pointer is over it, a sunken one while it is pressed.
class TPictureButton {
public:
    enum class TPictureSide { Left, Right };

    // `pictures` is a strip of 16 x 16 pictures, of which `picture` is drawn; it must
    // outlive the button.
    TPictureButton(HWND parent, int id, const std::wstring& caption, const RECT& place, HFONT font,
                   const TBitmap& pictures, int picture, TPictureSide side = TPictureSide::Left);
    TPictureButton(const TPictureButton&) = delete;
    TPictureButton& operator=(const TPictureButton&) = delete;

    HWND Handle() const noexcept { return window_; }
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);

    HWND window_;
    const TBitmap& pictures_;
    int picture_;
    TPictureSide side_;
    bool hot_ = false;
};

}  // namespace dovrel
