#pragma once

#include <windows.h>

#include <string>

// Small helpers over the system's window functions, shared by the program's windows.
namespace dovrel {

// A GDI font, deleted with its owner.
class TFont {
public:
    TFont() = default;
    // `points` at 96 pixels per inch: the windows do not scale with the screen resolution.
    TFont(const wchar_t* face, int points, bool bold = false, bool underline = false);
    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    HFONT Handle() const noexcept { return font_; }

private:
    HFONT font_ = nullptr;
};

// Registers a window class once per process; raises with the system's reason.
void RegisterWindowClass(const WNDCLASSEXW& windowClass);

// A child window at a place in its parent's client area, with `font`; raises when it
// cannot be created.
HWND CreateChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                 int id, const RECT& place, HFONT font, DWORD exStyle = 0);
inline RECT Place(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

std::wstring WindowText(HWND window);
// Sets the text only when it differs: a control that is set ten times a second would
// flicker otherwise.
void SetTextIfChanged(HWND window, const std::wstring& text);

// The place of a top-level window of `clientWidth` x `clientHeight` at the centre of the
// desktop's work area.
RECT CentredFrame(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

}  // namespace dovrel
