#include "platform/ExceptionHooks.h"

#include <atomic>
#include <cstdlib>
#include <exception>

#include "platform/Error.h"
#include "platform/Text.h"

#ifdef __GLIBCXX__
#include <cxxabi.h>
#endif

namespace dovrel {

namespace hooks {

namespace {

std::atomic<TExceptionNotification> installed{nullptr};
thread_local bool notifying = false;

}  // namespace

TExceptionNotification Notification() noexcept {
    return installed.load();
}

TExceptionNotification ReplaceNotification(TExceptionNotification notify) noexcept {
    return installed.exchange(notify);
}

TNotificationScope::TNotificationScope() noexcept : entered_(!notifying) {
    notifying = true;
}

TNotificationScope::~TNotificationScope() {
    if (entered_)
        notifying = false;
}

}  // namespace hooks

namespace {

std::wstring ReadableTypeName(const std::type_info& type) {
#ifdef __GLIBCXX__
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    if (status == 0 && demangled != nullptr) {
        std::wstring name = FromUtf8(demangled);
        std::free(demangled);
        return name;
    }
    std::free(demangled);
#endif
    return FromUtf8(type.name());
}

// The object as a `Base`, when its type derives from it; the runtime's own catch matching
// does the base-class adjustment, so multiple inheritance is handled as a catch would.
template <typename Base>
const Base* AsBase(const std::type_info& type, void* object) {
#ifdef __GLIBCXX__
    void* adjusted = object;
    if (typeid(Base).__do_catch(&type, &adjusted, 1))
        return static_cast<const Base*>(adjusted);
#else
    (void)type;
    (void)object;
#endif
    return nullptr;
}

}  // namespace

void DescribeThrownObject(const std::type_info& type, void* object, std::wstring& className,
                          std::wstring& message) {
    className = ReadableTypeName(type);
    message.clear();
    if (const Error* error = AsBase<Error>(type, object)) {
        message = error->Message();
    } else if (const std::exception* exception = AsBase<std::exception>(type, object)) {
        message = FromUtf8(exception->what());
    }
}

}  // namespace dovrel
