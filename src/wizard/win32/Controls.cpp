#include "Controls.h"

#include "platform/Error.h"
#include "platform/SystemError.h"

namespace dovrel {

namespace {

// The windows are designed for 96 pixels per inch and do not scale.
constexpr int kDesignPixelsPerInch = 96;

}  // namespace

TFont::TFont(const wchar_t* face, int points, bool bold, bool underline) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(points, kDesignPixelsPerInch, 72);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    font_ = CreateFontIndirectW(&font);
}

TFont::~TFont() {
    if (font_ != nullptr)
        DeleteObject(font_);
}

void RegisterWindowClass(const WNDCLASSEXW& windowClass) {
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw Error(std::wstring(L"Cannot register the window class ") + windowClass.lpszClassName +
                    L". " + SystemErrorText(GetLastError()));
    }
}

HWND CreateChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                 int id, const RECT& place, HFONT font, DWORD exStyle) {
    const HWND child = CreateWindowExW(
        exStyle, className, text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, place.left, place.top,
        place.right - place.left, place.bottom - place.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (child == nullptr) {
        throw Error(std::wstring(L"Cannot create the control ") + className + L". " +
                    SystemErrorText(GetLastError()));
    }
    if (font != nullptr)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void SetTextIfChanged(HWND window, const std::wstring& text) {
    if (WindowText(window) != text)
        SetWindowTextW(window, text.c_str());
}

RECT CentredFrame(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT desktop{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0);
    const int left = desktop.left + (desktop.right - desktop.left - width) / 2;
    const int top = desktop.top + (desktop.bottom - desktop.top - height) / 2;
    return RECT{left, top, left + width, top + height};
}

}  // namespace dovrel
