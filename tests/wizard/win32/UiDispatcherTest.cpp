#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "UiDispatcher.h"
#include "platform/Error.h"

namespace dovrel::test {
namespace {

// Lets the window thread serve the dispatcher until `done`, as the message loop and the
// shut-down wait do.
void ServeUntil(const std::atomic<bool>& done) {
    for (int i = 0; i < 500 && !done; ++i)
        TUiDispatcher::ServeSentMessages(10);
}

TEST(UiDispatcher, ACallFromAWorkerRunsOnTheWindowThreadWhileTheWorkerWaits) {
    TUiDispatcher dispatcher(GetModuleHandleW(nullptr));
    const DWORD windowThread = GetCurrentThreadId();
    DWORD ranOn = 0;
    bool ranBeforeReturn = false;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        bool ran = false;
        dispatcher.Invoke([&] {
            ranOn = GetCurrentThreadId();
            ran = true;
        });
        ranBeforeReturn = ran;
        done = true;
    });
    ServeUntil(done);
    worker.join();
    EXPECT_EQ(ranOn, windowThread);
    EXPECT_TRUE(ranBeforeReturn);
}

TEST(UiDispatcher, AnErrorOfTheCallReachesTheWorker) {
    TUiDispatcher dispatcher(GetModuleHandleW(nullptr));
    std::atomic<bool> done{false};
    std::wstring caught;
    std::thread worker([&] {
        try {
            dispatcher.Invoke([] { throw Error(L"Cannot open file \"x\"."); });
        } catch (const Error& error) {
            caught = error.Message();
        }
        done = true;
    });
    ServeUntil(done);
    worker.join();
    EXPECT_EQ(caught, L"Cannot open file \"x\".");
}

TEST(UiDispatcher, ACallOnTheWindowThreadRunsAtOnce) {
    TUiDispatcher dispatcher(GetModuleHandleW(nullptr));
    int calls = 0;
    dispatcher.Invoke([&] { ++calls; });
    EXPECT_EQ(calls, 1);
    EXPECT_THROW(dispatcher.Invoke([] { throw std::runtime_error("no"); }), std::runtime_error);
}

}  // namespace
}  // namespace dovrel::test
