#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "Terminal.h"
#include "platform/Text.h"

namespace dovrel::cli {

namespace {

std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    interrupted = true;
    return TRUE;
}

bool IsConsole(DWORD which) {
    DWORD mode;
    return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

void WriteTo(DWORD which, std::FILE* stream, const std::wstring& text) {
    if (IsConsole(which)) {
        DWORD written;
        WriteConsoleW(GetStdHandle(which), text.data(), static_cast<DWORD>(text.size()), &written,
                      nullptr);
        return;
    }
    const std::string bytes = ToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

// Echo goes off for the read and comes back whatever the read did.
class TEchoOff {
public:
    TEchoOff() : input_(GetStdHandle(STD_INPUT_HANDLE)), ok_(GetConsoleMode(input_, &saved_)) {
        if (ok_)
            SetConsoleMode(input_, saved_ & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    }
    ~TEchoOff() {
        if (ok_)
            SetConsoleMode(input_, saved_);
    }
    TEchoOff(const TEchoOff&) = delete;
    TEchoOff& operator=(const TEchoOff&) = delete;

private:
    HANDLE input_;
    DWORD saved_ = 0;
    BOOL ok_;
};

}  // namespace

bool StdinIsTerminal() {
    return IsConsole(STD_INPUT_HANDLE);
}

bool StderrIsTerminal() {
    return IsConsole(STD_ERROR_HANDLE);
}

void WriteOut(const std::wstring& text) {
    WriteTo(STD_OUTPUT_HANDLE, stdout, text);
}

void WriteErr(const std::wstring& text) {
    WriteTo(STD_ERROR_HANDLE, stderr, text);
}

std::optional<std::wstring> ReadHiddenLine(const std::wstring& prompt) {
    WriteErr(prompt);
    std::wstring line;
    {
        TEchoOff echoOff;
        wchar_t buffer[256];
        for (;;) {
            DWORD read = 0;
            if (!ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), buffer, 256, &read, nullptr) ||
                read == 0 || interrupted)
                return std::nullopt;
            line.append(buffer, read);
            if (line.back() == L'\n')
                break;
        }
    }
    WriteErr(L"\n");  // the Enter that was not echoed
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r'))
        line.pop_back();
    return line;
}

void InstallInterruptHandler() {
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool InterruptRequested() {
    return interrupted;
}

}  // namespace dovrel::cli
