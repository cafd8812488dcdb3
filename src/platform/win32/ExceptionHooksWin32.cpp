#include <windows.h>

#include <cxxabi.h>
#include <psapi.h>
#include <unwind.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <mutex>

#include "platform/ExceptionHooks.h"

namespace dovrel {

namespace {

// The code the GCC runtime raises a C++ throw with ("GCC" with the customer bit); its first
// parameter is the unwind header of the thrown object.
constexpr DWORD kGccThrow = 0x20474343;
constexpr std::uint64_t kGnuPrimaryClass = 0x474E5543432B2B00;    // "GNUCC++\0"
constexpr std::uint64_t kGnuDependentClass = 0x474E5543432B2B01;  // from std::rethrow_exception

// Raised to talk to a debugger, not about a failure.
constexpr DWORD kDebugPrint = 0x40010006;
constexpr DWORD kDebugPrintWide = 0x4001000A;
constexpr DWORD kSetThreadName = 0x406D1388;

// The header the C++ runtime keeps in front of a thrown object (the Itanium C++ ABI as GCC
// lays it out). Only its first field is read: the type of a thrown object, or the object
// itself for a rethrown std::exception_ptr.
struct TCxaHeader {
    void* typeOrPrimary;
    void (*destructor)(void*);
    void (*unexpectedHandler)();
    void (*terminateHandler)();
    void* nextException;
    int handlerCount;
    int handlerSwitchValue;
    const unsigned char* actionRecord;
    const unsigned char* languageSpecificData;
    _Unwind_Ptr catchTemp;
    void* adjustedPtr;
    _Unwind_Exception unwindHeader;
};

void DescribeCxxThrow(const EXCEPTION_RECORD& record, TRaisedException& raised) {
    raised.className = L"C++ exception";
    if (record.NumberParameters < 1 || record.ExceptionInformation[0] == 0)
        return;
    auto* unwind = reinterpret_cast<_Unwind_Exception*>(record.ExceptionInformation[0]);
    auto* header = reinterpret_cast<TCxaHeader*>(reinterpret_cast<char*>(unwind) -
                                                 offsetof(TCxaHeader, unwindHeader));
    void* object = unwind + 1;
    if (unwind->exception_class == kGnuDependentClass) {
        object = header->typeOrPrimary;
        header = static_cast<TCxaHeader*>(object) - 1;
    } else if (unwind->exception_class != kGnuPrimaryClass) {
        return;  // another language's exception
    }
    const auto* type = static_cast<const std::type_info*>(header->typeOrPrimary);
    DescribeThrownObject(*type, object, raised.className, raised.message);
}

std::wstring Hex(std::uintptr_t value, int digits) {
    wchar_t text[24];
    std::swprintf(text, 24, L"%0*llX", digits, static_cast<unsigned long long>(value));
    return text;
}

void DescribeAccessViolation(const EXCEPTION_RECORD& record, TRaisedException& raised) {
    raised.className = L"EXCEPTION_ACCESS_VIOLATION";
    if (record.NumberParameters < 2)
        return;
    const ULONG_PTR kind = record.ExceptionInformation[0];
    const wchar_t* access = kind == 0 ? L"read" : kind == 8 ? L"execution" : L"write";
    raised.message = std::wstring(L"Access violation: ") + access + L" of address " +
                     Hex(record.ExceptionInformation[1], 2 * sizeof(void*));
}

struct TSystemException {
    DWORD code;
    const wchar_t* name;
    const wchar_t* message;
};

constexpr TSystemException kSystemExceptions[] = {
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, L"EXCEPTION_ARRAY_BOUNDS_EXCEEDED", L"Array bounds exceeded"},
    {EXCEPTION_BREAKPOINT, L"EXCEPTION_BREAKPOINT", L"Breakpoint"},
    {EXCEPTION_DATATYPE_MISALIGNMENT, L"EXCEPTION_DATATYPE_MISALIGNMENT", L"Misaligned data"},
    {EXCEPTION_FLT_DENORMAL_OPERAND, L"EXCEPTION_FLT_DENORMAL_OPERAND",
     L"Floating point denormal operand"},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, L"EXCEPTION_FLT_DIVIDE_BY_ZERO",
     L"Floating point division by zero"},
    {EXCEPTION_FLT_INEXACT_RESULT, L"EXCEPTION_FLT_INEXACT_RESULT",
     L"Floating point inexact result"},
    {EXCEPTION_FLT_INVALID_OPERATION, L"EXCEPTION_FLT_INVALID_OPERATION",
     L"Invalid floating point operation"},
    {EXCEPTION_FLT_OVERFLOW, L"EXCEPTION_FLT_OVERFLOW", L"Floating point overflow"},
    {EXCEPTION_FLT_STACK_CHECK, L"EXCEPTION_FLT_STACK_CHECK", L"Floating point stack check"},
    {EXCEPTION_FLT_UNDERFLOW, L"EXCEPTION_FLT_UNDERFLOW", L"Floating point underflow"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, L"EXCEPTION_ILLEGAL_INSTRUCTION", L"Illegal instruction"},
    {EXCEPTION_IN_PAGE_ERROR, L"EXCEPTION_IN_PAGE_ERROR", L"In-page error"},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, L"EXCEPTION_INT_DIVIDE_BY_ZERO", L"Integer division by zero"},
    {EXCEPTION_INT_OVERFLOW, L"EXCEPTION_INT_OVERFLOW", L"Integer overflow"},
    {EXCEPTION_INVALID_DISPOSITION, L"EXCEPTION_INVALID_DISPOSITION", L"Invalid disposition"},
    {EXCEPTION_NONCONTINUABLE_EXCEPTION, L"EXCEPTION_NONCONTINUABLE_EXCEPTION",
     L"Noncontinuable exception"},
    {EXCEPTION_PRIV_INSTRUCTION, L"EXCEPTION_PRIV_INSTRUCTION", L"Privileged instruction"},
    {EXCEPTION_SINGLE_STEP, L"EXCEPTION_SINGLE_STEP", L"Single step"},
};

void DescribeSystemException(const EXCEPTION_RECORD& record, TRaisedException& raised) {
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        return DescribeAccessViolation(record, raised);
    for (const TSystemException& known : kSystemExceptions) {
        if (known.code == record.ExceptionCode) {
            raised.className = known.name;
            raised.message = known.message;
            return;
        }
    }
    // Codes of other runtimes and of the system's less common failures: the code names it.
    raised.className = L"0x" + Hex(record.ExceptionCode, 8);
}

HMODULE ModuleAt(std::uintptr_t address) {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(address), &module);
    return module;
}

std::wstring ModuleFile(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Start of the routine holding `pc`, from the unwind tables; 0 when it has none.
std::uintptr_t RoutineStart(std::uintptr_t pc) {
    DWORD64 base = 0;
    const RUNTIME_FUNCTION* function = RtlLookupFunctionEntry(pc, &base, nullptr);
    return function != nullptr ? base + function->BeginAddress : 0;
}

// The runtime routines a C++ throw passes through before the system raises it.
bool IsRaiseRoutine(std::uintptr_t start) {
    using Rethrow = void (*)(std::exception_ptr);
    static const std::uintptr_t routines[] = {
        RoutineStart(reinterpret_cast<std::uintptr_t>(&__cxxabiv1::__cxa_throw)),
        RoutineStart(reinterpret_cast<std::uintptr_t>(&__cxxabiv1::__cxa_rethrow)),
        RoutineStart(reinterpret_cast<std::uintptr_t>(&_Unwind_RaiseException)),
        RoutineStart(reinterpret_cast<std::uintptr_t>(&_Unwind_Resume_or_Rethrow)),
        RoutineStart(
            reinterpret_cast<std::uintptr_t>(static_cast<Rethrow>(&std::rethrow_exception))),
    };
    return start != 0 &&
           std::find(std::begin(routines), std::end(routines), start) != std::end(routines);
}

// Where the program raised a C++ throw: the first frame outwards from the system's raise
// routine that is not part of the runtime's throw machinery.
std::uintptr_t ThrowSite(const EXCEPTION_POINTERS& info) {
    const auto raisedAt = reinterpret_cast<std::uintptr_t>(info.ExceptionRecord->ExceptionAddress);
#if defined(__x86_64__)
    const HMODULE system = ModuleAt(raisedAt);
    CONTEXT context = *info.ContextRecord;
    for (int frame = 0; frame < 16 && context.Rip != 0; ++frame) {
        DWORD64 base = 0;
        RUNTIME_FUNCTION* function = RtlLookupFunctionEntry(context.Rip, &base, nullptr);
        if (function == nullptr)
            break;
        const std::uintptr_t pc = context.Rip;
        if (ModuleAt(pc) != system && !IsRaiseRoutine(base + function->BeginAddress))
            return pc;
        void* handlerData = nullptr;
        DWORD64 establisher = 0;
        RtlVirtualUnwind(UNW_FLAG_NHANDLER, base, context.Rip, function, &context, &handlerData,
                         &establisher, nullptr);
    }
#endif
    return raisedAt;
}

struct TCodeRange {
    std::uintptr_t start = 0;
    std::uintptr_t end = 0;
    HMODULE module = nullptr;
};

void AddCodeSections(HMODULE module, std::vector<TCodeRange>& ranges) {
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE)
        return;
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if ((section->Characteristics & IMAGE_SCN_MEM_EXECUTE) == 0)
            continue;
        const std::uintptr_t start = base + section->VirtualAddress;
        ranges.push_back({start, start + section->Misc.VirtualSize, module});
    }
}

// The code sections of every module loaded now, sorted by address.
std::vector<TCodeRange> LoadedCode() {
    std::vector<HMODULE> modules(256);
    for (;;) {
        DWORD needed = 0;
        const auto size = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
        if (!EnumProcessModules(GetCurrentProcess(), modules.data(), size, &needed))
            return {};
        if (needed <= size) {
            modules.resize(needed / sizeof(HMODULE));
            break;
        }
        modules.resize(needed / sizeof(HMODULE) + 16);
    }
    std::vector<TCodeRange> ranges;
    for (HMODULE module : modules)
        AddCodeSections(module, ranges);
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

// The end of the committed stack that holds `stackPointer`: the stack grows down from
// there, and every page between the pointer and that end is in use.
std::uintptr_t StackTop(std::uintptr_t stackPointer) {
    MEMORY_BASIC_INFORMATION region;
    if (VirtualQuery(reinterpret_cast<const void*>(stackPointer), &region, sizeof region) == 0 ||
        region.State != MEM_COMMIT || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0)
        return 0;
    return reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
}

// Every value between the raising frame's stack pointer and the base of this thread's stack
// that points into loaded code.
std::vector<TCodeAddress> ScanStack(std::uintptr_t stackPointer) {
    const std::uintptr_t top = StackTop(stackPointer);
    std::vector<TCodeAddress> stack;
    if (top == 0)
        return stack;
    const std::vector<TCodeRange> code = LoadedCode();
    std::vector<std::pair<HMODULE, std::wstring>> paths;
    constexpr std::uintptr_t kSlot = sizeof(std::uintptr_t);
    for (std::uintptr_t slot = (stackPointer + kSlot - 1) & ~(kSlot - 1); slot + kSlot <= top;
         slot += kSlot) {
        const std::uintptr_t value = *reinterpret_cast<const std::uintptr_t*>(slot);
        const TCodeRange* range = RangeOf(code, value);
        if (range == nullptr)
            continue;
        auto known = std::find_if(paths.begin(), paths.end(),
                                  [&](const auto& entry) { return entry.first == range->module; });
        if (known == paths.end())
            known = paths.insert(paths.end(), {range->module, ModuleFile(range->module)});
        stack.push_back(
            {value, reinterpret_cast<std::uintptr_t>(range->module), range->start, known->second});
    }
    return stack;
}

std::uintptr_t StackPointer(const CONTEXT& context) {
#if defined(__x86_64__)
    return context.Rsp;
#elif defined(__i386__)
    return context.Esp;
#else
    return context.Sp;
#endif
}

TRaisedException Capture(const EXCEPTION_POINTERS& info) {
    const EXCEPTION_RECORD& record = *info.ExceptionRecord;
    TRaisedException raised;
    std::uintptr_t at = reinterpret_cast<std::uintptr_t>(record.ExceptionAddress);
    if (record.ExceptionCode == kGccThrow) {
        DescribeCxxThrow(record, raised);
        at = ThrowSite(info);
    } else {
        DescribeSystemException(record, raised);
    }
    if (const HMODULE module = ModuleAt(at)) {
        const std::wstring path = ModuleFile(module);
        raised.moduleName = path.substr(path.find_last_of(L"\\/") + 1);
        raised.moduleOffset = at - reinterpret_cast<std::uintptr_t>(module);
    } else {
        raised.moduleOffset = at;
    }
    raised.stack = ScanStack(StackPointer(*info.ContextRecord));
    return raised;
}

bool IsNotified(DWORD code) {
    // A stack overflow leaves too little stack to describe anything on.
    return code != EXCEPTION_STACK_OVERFLOW && code != kDebugPrint && code != kDebugPrintWide &&
           code != kSetThreadName;
}

LONG CALLBACK OnRaised(EXCEPTION_POINTERS* info) {
    const TExceptionNotification notify = hooks::Notification();
    if (notify == nullptr || !IsNotified(info->ExceptionRecord->ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    const hooks::TNotificationScope scope;
    if (!scope.Entered())
        return EXCEPTION_CONTINUE_SEARCH;
    try {
        notify(Capture(*info));
    } catch (...) {
        // Whatever went wrong in here must not change how the exception itself is handled.
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

TExceptionNotification InstallExceptionHooks(TExceptionNotification notify) {
    static std::once_flag installed;
    std::call_once(installed, [] { AddVectoredExceptionHandler(1, &OnRaised); });
    return hooks::ReplaceNotification(notify);
}

}  // namespace dovrel
