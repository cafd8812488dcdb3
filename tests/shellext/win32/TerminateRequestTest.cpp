#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/TerminateRequest.h"

namespace dovrel {
namespace {

// In a thread of its own, so that the quit message ends no loop of the test program.
TEST(TerminateRequest, PostsAQuitMessageToTheCallingThreadAndIsRemembered) {
    bool quitPosted = false;
    std::thread([&quitPosted] {
        RequestTerminate();
        MSG message;
        quitPosted = PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    }).join();
    EXPECT_TRUE(quitPosted);
    EXPECT_TRUE(TerminateRequested());
}

}  // namespace
}  // namespace dovrel
