#include <cxxabi.h>
#include <dlfcn.h>
#include <link.h>
#include <pthread.h>

#include <algorithm>
#include <cstdlib>

#include "platform/ExceptionHooks.h"
#include "platform/Shell.h"
#include "platform/Text.h"

// Linux has no process-wide notification of raised exceptions, so the program's own C++
// throws are caught where they start: this definition of the runtime's throw routine takes
// precedence over the C++ library's for the code linked into the program, and passes every
// throw on to the library's routine. System signals are not seen, nor, as a rule, throws
// inside shared libraries.

namespace dovrel {

namespace {

struct TCodeRange {
    std::uintptr_t start = 0;
    std::uintptr_t end = 0;
    std::uintptr_t base = 0;
    std::wstring path;
};

int AddCodeSegments(dl_phdr_info* info, std::size_t, void* data) {
    auto& ranges = *static_cast<std::vector<TCodeRange>*>(data);
    // The program itself is listed without a name.
    const std::wstring path = info->dlpi_name != nullptr && *info->dlpi_name != '\0'
                                  ? FromUtf8(info->dlpi_name)
                                  : ModulePath();
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || (segment.p_flags & PF_X) == 0)
            continue;
        const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
        ranges.push_back({start, start + segment.p_memsz, info->dlpi_addr, path});
    }
    return 0;
}

std::vector<TCodeRange> LoadedCode() {
    std::vector<TCodeRange> ranges;
    dl_iterate_phdr(&AddCodeSegments, &ranges);
    std::sort(ranges.begin(), ranges.end(),
              [](const TCodeRange& a, const TCodeRange& b) { return a.start < b.start; });
    return ranges;
}

const TCodeRange* RangeOf(const std::vector<TCodeRange>& ranges, std::uintptr_t value) {
    auto after =
        std::upper_bound(ranges.begin(), ranges.end(), value,
                         [](std::uintptr_t v, const TCodeRange& range) { return v < range.start; });
    if (after == ranges.begin())
        return nullptr;
    const TCodeRange& range = *(after - 1);
    return value < range.end ? &range : nullptr;
}

std::uintptr_t StackTop() {
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) != 0)
        return 0;
    void* low = nullptr;
    std::size_t size = 0;
    pthread_attr_getstack(&attributes, &low, &size);
    pthread_attr_destroy(&attributes);
    return reinterpret_cast<std::uintptr_t>(low) + size;
}

// Reads the stack word by word, red zones of the address sanitizer included.
__attribute__((no_sanitize("address"))) std::uintptr_t ReadSlot(std::uintptr_t slot) {
    return *reinterpret_cast<const volatile std::uintptr_t*>(slot);
}

std::vector<TCodeAddress> ScanStack(const std::vector<TCodeRange>& code, std::uintptr_t from) {
    std::vector<TCodeAddress> stack;
    const std::uintptr_t top = StackTop();
    if (from == 0 || from >= top)
        return stack;
    constexpr std::uintptr_t kSlot = sizeof(std::uintptr_t);
    for (std::uintptr_t slot = (from + kSlot - 1) & ~(kSlot - 1); slot + kSlot <= top;
         slot += kSlot) {
        const std::uintptr_t value = ReadSlot(slot);
        if (const TCodeRange* range = RangeOf(code, value))
            stack.push_back({value, range->base, range->start, range->path});
    }
    return stack;
}

TRaisedException Capture(void* object, const std::type_info& type, std::uintptr_t throwSite,
                         std::uintptr_t stackPointer) {
    TRaisedException raised;
    DescribeThrownObject(type, object, raised.className, raised.message);
    const std::vector<TCodeRange> code = LoadedCode();
    if (const TCodeRange* range = RangeOf(code, throwSite)) {
        raised.moduleName = range->path.substr(range->path.find_last_of(L'/') + 1);
        raised.moduleOffset = throwSite - range->base;
    } else {
        raised.moduleOffset = throwSite;
    }
    raised.stack = ScanStack(code, stackPointer);
    return raised;
}

void Notify(void* object, const std::type_info* type, std::uintptr_t throwSite,
            std::uintptr_t stackPointer) {
    const TExceptionNotification notify = hooks::Notification();
    if (notify == nullptr || type == nullptr)
        return;
    const hooks::TNotificationScope scope;
    if (!scope.Entered())
        return;
    try {
        notify(Capture(object, *type, throwSite, stackPointer));
    } catch (...) {
        // Whatever went wrong in here must not change the throw itself.
    }
}

}  // namespace

TExceptionNotification InstallExceptionHooks(TExceptionNotification notify) {
    return hooks::ReplaceNotification(notify);
}

}  // namespace dovrel

extern "C" void __cxa_throw(void* object, std::type_info* type, void (*destructor)(void*)) {
    dovrel::Notify(object, type, reinterpret_cast<std::uintptr_t>(__builtin_return_address(0)),
                   reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)));
    using Throw = void (*)(void*, std::type_info*, void (*)(void*));
    static const auto library = reinterpret_cast<Throw>(dlsym(RTLD_NEXT, "__cxa_throw"));
    if (library != nullptr)
        library(object, type, destructor);
    std::abort();
}
