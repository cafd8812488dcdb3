#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include "Terminal.h"
#include "platform/Text.h"

namespace dovrel::cli {

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void OnInterrupt(int) {
    interrupted = true;
}

void WriteTo(std::FILE* stream, const std::wstring& text) {
    const std::string bytes = ToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

// Echo goes off for the read and comes back whatever the read did.
class TEchoOff {
public:
    TEchoOff() : ok_(::tcgetattr(STDIN_FILENO, &saved_) == 0) {
        if (!ok_)
            return;
        termios quiet = saved_;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    ~TEchoOff() {
        if (ok_)
            ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    }
    TEchoOff(const TEchoOff&) = delete;
    TEchoOff& operator=(const TEchoOff&) = delete;

private:
    termios saved_{};
    bool ok_;
};

}  // namespace

bool StdinIsTerminal() {
    return ::isatty(STDIN_FILENO) == 1;
}

bool StderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

void WriteOut(const std::wstring& text) {
    WriteTo(stdout, text);
}

void WriteErr(const std::wstring& text) {
    WriteTo(stderr, text);
}

// Reads with read(2) rather than stdio, so an interrupted read returns instead of
// restarting.
std::optional<std::wstring> ReadHiddenLine(const std::wstring& prompt) {
    WriteErr(prompt);
    TEchoOff echoOff;
    std::string line;
    for (;;) {
        char c;
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && errno == EINTR && !interrupted)
            continue;
        if (n <= 0)
            return std::nullopt;
        if (c == '\n')
            break;
        line += c;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return FromUtf8(line);
}

void InstallInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a prompt waiting for input must wake up
    ::sigaction(SIGINT, &action, nullptr);
}

bool InterruptRequested() {
    return interrupted;
}

}  // namespace dovrel::cli
