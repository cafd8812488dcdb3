#pragma once

#include <cstdint>
#include <string>
#include <typeinfo>
#include <vector>

namespace dovrel {

// A value found on a thread's stack that points into the code of a loaded module.
struct TCodeAddress {
    std::uintptr_t address = 0;     // absolute
    std::uintptr_t moduleBase = 0;  // where the module was loaded
    std::uintptr_t codeStart = 0;   // start of the module's code section holding the address
    std::wstring modulePath;        // the module's file, with its folder
};

// What is known of an exception at the moment it is raised.
struct TRaisedException {
    std::wstring className;
    std::wstring moduleName;          // file name, without folder, of the module that raised it
    std::uintptr_t moduleOffset = 0;  // the raising code's address relative to that module
    std::wstring message;             // empty when the exception object carries none
    // Every code address on the raising thread's stack, from the raise point outwards: a
    // raw scan, so it holds stale return addresses too, not only the live call chain.
    std::vector<TCodeAddress> stack;
};

using TExceptionNotification = void (*)(const TRaisedException&);

// Makes every exception raised in the process, in any thread, captured and then passed to
// `notify` in the raising thread, before any handler runs. Exceptions raised while the
// notification runs in the same thread are not notified. The hook stays for the rest of
// the process; another call only replaces the notification (nullptr: none). Returns the
// notification it replaced.
//
// Windows sees system exceptions and C++ throws alike; elsewhere only C++ throws of this
// program's own code are seen.
TExceptionNotification InstallExceptionHooks(TExceptionNotification notify);

// Shared by the system implementations of the hooks.
namespace hooks {

// The installed notification, nullptr when there is none.
TExceptionNotification Notification() noexcept;
TExceptionNotification ReplaceNotification(TExceptionNotification notify) noexcept;

// Marks the calling thread as running a notification while it lives; Entered() is false
// when the thread already was, and then nothing may be notified.
class TNotificationScope {
public:
    TNotificationScope() noexcept;
    ~TNotificationScope();
    TNotificationScope(const TNotificationScope&) = delete;
    TNotificationScope& operator=(const TNotificationScope&) = delete;

    bool Entered() const noexcept { return entered_; }

private:
    bool entered_;
};

}  // namespace hooks

// Class name and message of a thrown C++ object: the message of a dovrel::Error, what()
// of another std::exception, nothing for other types.
void DescribeThrownObject(const std::type_info& type, void* object, std::wstring& className,
                          std::wstring& message);

}  // namespace dovrel
