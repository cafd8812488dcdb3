#pragma once

#include <atomic>
#include <mutex>
#include <string>

namespace dovrel::cli {

// The progress line on standard error and the messages that interrupt it. Messages and
// prompts come from the worker, the progress from the main thread; one lock keeps their
// output whole, and the line stays away while a prompt waits for input.
class TStatusLine {
public:
    explicit TStatusLine(bool enabled) : enabled_(enabled) {}

    // Redraws the line, unless it is disabled or a prompt is showing.
    void Show(const std::wstring& text);
    // Removes the line, so the next output starts at the left.
    void Clear();
    // A message on a line of its own: "dovrel-cli: <text>".
    void Message(const std::wstring& text);
    // Runs `ask` with the line removed and not redrawn until it returns.
    template <typename F>
    auto WithPrompt(F&& ask) {
        Clear();
        prompting_ = true;
        struct TReset {
            std::atomic<bool>& flag;
            ~TReset() { flag = false; }
        } reset{prompting_};
        return ask();
    }

private:
    void ClearLocked();

    const bool enabled_;
    std::mutex mutex_;
    std::atomic<bool> prompting_{false};
    std::size_t shown_ = 0;  // characters of the line on screen
};

}  // namespace dovrel::cli
