#pragma once

#include <windows.h>

#include <functional>

namespace dovrel {

// How a run's worker reaches the window thread: a hidden message window of that thread,
// sent the call with SendMessageW, so the worker waits until it has run. The window
// thread takes sent messages whenever it waits for messages, in modal loops too.
class TUiDispatcher {
public:
    // Made on the window thread, which then serves every Invoke.
    explicit TUiDispatcher(HINSTANCE instance);
    ~TUiDispatcher();
    TUiDispatcher(const TUiDispatcher&) = delete;
    TUiDispatcher& operator=(const TUiDispatcher&) = delete;

    // Runs `call` on the window thread and returns once it has run; an exception it raises
    // is raised here, on the calling thread. Called on the window thread it just runs.
    void Invoke(const std::function<void()>& call);

    // Lets the window thread serve Invoke while it waits for something else, for at most
    // `milliseconds`.
    static void ServeSentMessages(DWORD milliseconds);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    DWORD threadId_ = 0;
};

}  // namespace dovrel
