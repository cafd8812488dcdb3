// Drives the program's windows from outside for the end-to-end tests:
//   WindowDriver wait  CLASS CAPTION SECONDS   waits until the window is visible and prints
//                                              "client WIDTH HEIGHT" and, on a second line,
//                                              "closebox X Y", the screen point of its close box
//   WindowDriver texts CLASS CAPTION           prints the texts of the window's controls, one
//                                              per line (a message box's message among them)
//   WindowDriver close CLASS CAPTION           asks the window to close, as Escape does
// Exit code 0 on success, 1 when the window is not there.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND FindVisible(const wchar_t* className, const wchar_t* caption) {
    const HWND window = FindWindowW(className, caption);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

int Wait(const wchar_t* className, const wchar_t* caption, int seconds) {
    for (int waited = 0; waited <= seconds * 10; ++waited) {
        if (const HWND window = FindVisible(className, caption)) {
            RECT client{}, frame{};
            GetClientRect(window, &client);
            GetWindowRect(window, &frame);
            std::printf("client %ld %ld\n", client.right - client.left, client.bottom - client.top);
            // The close box is the last caption button, inside the fixed frame.
            const int x = frame.right - GetSystemMetrics(SM_CXFIXEDFRAME) -
                          GetSystemMetrics(SM_CXSIZE) / 2 - 1;
            const int y =
                frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
            std::printf("closebox %d %d\n", x, y);
            return 0;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "window %ls \"%ls\" did not appear\n", className, caption);
    return 1;
}

BOOL CALLBACK PrintChildText(HWND child, LPARAM) {
    wchar_t text[1024];
    if (GetWindowTextW(child, text, 1024) > 0)
        std::printf("%ls\n", text);
    return TRUE;
}

int Texts(const wchar_t* className, const wchar_t* caption) {
    const HWND window = FindVisible(className, caption);
    if (window == nullptr)
        return 1;
    EnumChildWindows(window, PrintChildText, 0);
    return 0;
}

int Close(const wchar_t* className, const wchar_t* caption) {
    const HWND window = FindVisible(className, caption);
    if (window == nullptr)
        return 1;
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"wait" && argc == 5) return Wait(argv[2], argv[3], _wtoi(argv[4]));
    if (command == L"texts" && argc == 4) return Texts(argv[2], argv[3]);
    if (command == L"close" && argc == 4) return Close(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: WindowDriver wait CLASS CAPTION SECONDS | texts CLASS CAPTION | close "
                 "CLASS CAPTION\n");
    return 2;
}
