#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "platform/Error.h"
#include "platform/ExceptionHooks.h"
#include "platform/Path.h"
#include "platform/Shell.h"

namespace dovrel {
namespace {

struct TSeen {
    TRaisedException raised;
    std::thread::id thread;
};

std::mutex seenGuard;
std::vector<TSeen> seen;

void Remember(const TRaisedException& raised) {
    const std::lock_guard lock(seenGuard);
    seen.push_back({raised, std::this_thread::get_id()});
}

// A notification that itself raises and handles an exception, as writing a record may.
void RememberAndRaise(const TRaisedException& raised) {
    Remember(raised);
    try {
        throw Error(L"raised inside the notification");
    } catch (const Error&) {
    }
}

class ExceptionHooks : public ::testing::Test {
protected:
    void SetUp() override {
        seen.clear();
        previous_ = InstallExceptionHooks(&Remember);
    }
    void TearDown() override { InstallExceptionHooks(previous_); }

    // The notifications of exceptions with this message.
    static std::vector<TSeen> WithMessage(const std::wstring& message) {
        const std::lock_guard lock(seenGuard);
        std::vector<TSeen> found;
        std::copy_if(seen.begin(), seen.end(), std::back_inserter(found),
                     [&](const TSeen& s) { return s.raised.message == message; });
        return found;
    }

    TExceptionNotification previous_ = nullptr;
};

void Marker() {}

// Leaves the address of Marker in a stack slot of its frame while `raise` runs. No call
// returns to Marker, so only a raw scan of the stack finds it.
[[gnu::noinline]] void RaiseWithMarker(const std::function<void()>& raise) {
    volatile std::uintptr_t marker = reinterpret_cast<std::uintptr_t>(&Marker);
    raise();
    static_cast<void>(marker);
}

bool HoldsMarker(const TRaisedException& raised) {
    const auto marker = reinterpret_cast<std::uintptr_t>(&Marker);
    return std::any_of(raised.stack.begin(), raised.stack.end(), [&](const TCodeAddress& at) {
        return at.address == marker && at.modulePath == ModulePath() &&
               at.moduleBase < at.codeStart && at.codeStart <= at.address;
    });
}

TEST_F(ExceptionHooks, HandledThrowIsSeenWithTheRawStackOfItsThread) {
    EXPECT_THROW(RaiseWithMarker([] { throw Error(L"Stream read error"); }), Error);
    const std::vector<TSeen> found = WithMessage(L"Stream read error");
    ASSERT_EQ(found.size(), 1u);
    const TRaisedException& raised = found[0].raised;
    EXPECT_EQ(found[0].thread, std::this_thread::get_id());
    EXPECT_EQ(raised.className, L"dovrel::Error");
    EXPECT_EQ(raised.moduleName, ExtractFileName(ModulePath()));
    EXPECT_GT(raised.moduleOffset, 0u);
    EXPECT_TRUE(HoldsMarker(raised));
}

struct TOther {
    virtual ~TOther() = default;
    int value = 0;
};

// An Error that is not the first base: the message must come from the Error part.
struct TCombined : TOther, Error {
    TCombined() : Error(L"combined") {}
};

TEST_F(ExceptionHooks, ThrownObjectsAreNamedWithTheirMessage) {
    const struct {
        std::function<void()> raise;
        const wchar_t* className;
        const wchar_t* message;
    } cases[] = {
        {[] { throw std::out_of_range("index 7"); }, L"std::out_of_range", L"index 7"},
        {[] { throw TCombined(); }, L"dovrel::(anonymous namespace)::TCombined", L"combined"},
        {[] { throw 42; }, L"int", L""},
    };
    for (const auto& c : cases) {
        seen.clear();
        try {
            c.raise();
        } catch (...) {
        }
        const std::lock_guard lock(seenGuard);
        ASSERT_EQ(seen.size(), 1u) << c.className;
        EXPECT_EQ(seen[0].raised.className, c.className);
        EXPECT_EQ(seen[0].raised.message, c.message);
    }
}

TEST_F(ExceptionHooks, ExceptionsInsideTheNotificationAreNotNotified) {
    InstallExceptionHooks(&RememberAndRaise);
    EXPECT_THROW(throw Error(L"outer"), Error);
    EXPECT_EQ(WithMessage(L"outer").size(), 1u);
    EXPECT_TRUE(WithMessage(L"raised inside the notification").empty());

    // The next exception of the thread is notified again.
    EXPECT_THROW(throw Error(L"after"), Error);
    EXPECT_EQ(WithMessage(L"after").size(), 1u);
}

TEST_F(ExceptionHooks, OtherThreadsAreNotifiedInTheirOwnThread) {
    std::thread::id worker;
    std::thread thread([&worker] {
        worker = std::this_thread::get_id();
        try {
            RaiseWithMarker([] { throw Error(L"in the worker"); });
        } catch (const Error&) {
        }
    });
    thread.join();
    const std::vector<TSeen> found = WithMessage(L"in the worker");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].thread, worker);
    EXPECT_TRUE(HoldsMarker(found[0].raised));
}

#ifdef _WIN32
TEST_F(ExceptionHooks, RethrownExceptionPointerKeepsItsObject) {
    const std::exception_ptr kept = std::make_exception_ptr(Error(L"kept"));
    seen.clear();
    EXPECT_THROW(std::rethrow_exception(kept), Error);
    const std::vector<TSeen> found = WithMessage(L"kept");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].raised.className, L"dovrel::Error");
}

TEST_F(ExceptionHooks, HandledAccessViolationIsSeen) {
    // The system probes the address and handles the fault itself.
    EXPECT_TRUE(IsBadReadPtr(reinterpret_cast<const void*>(0x10), 1));
    const std::vector<TSeen> found =
        WithMessage(L"Access violation: read of address 0000000000000010");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].raised.className, L"EXCEPTION_ACCESS_VIOLATION");
    EXPECT_FALSE(found[0].raised.moduleName.empty());
    EXPECT_FALSE(found[0].raised.stack.empty());
}
#endif

}  // namespace
}  // namespace dovrel
