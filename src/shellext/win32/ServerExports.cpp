// The four exports of the in-process server and its entry point.
#include <windows.h>

#include <olectl.h>

#include <string>
#include <vector>

#include "ComGuard.h"
#include "MainUnit.h"
#include "ServerLifetime.h"
#include "platform/Registry.h"
#include "shellext/RegistrationTables.h"

namespace dovrel::shellext {

namespace {

std::wstring ModuleFile() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(ModuleHandle(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            throw Error(L"Cannot name the library's file.", GetLastError());
        if (n < buffer.size())
            return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

// Empty when the system has no short form to give.
std::wstring ShortPath(const std::wstring& path) {
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size)
        return {};
    shortPath.resize(length);
    return shortPath;
}

bool IsNtFamily() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

}  // namespace dovrel::shellext

using namespace dovrel::shellext;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModuleHandle(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID riid, LPVOID* object) {
    return Guarded([&]() -> HRESULT {
        if (object == nullptr)
            return E_POINTER;
        if (!IsEqualCLSID(classId, kContextMenuClassId)) {
            *object = nullptr;
            return CLASS_E_CLASSNOTAVAILABLE;
        }
        return ContextMenuFactory().QueryInterface(riid, object);
    });
}

STDAPI DllCanUnloadNow() {
    return CanUnloadNow() ? S_OK : S_FALSE;
}

// What was written before a failure stays.
STDAPI DllRegisterServer() {
    const HRESULT result = Guarded([]() -> HRESULT {
        const auto registry = dovrel::CreateSystemRegistry();
        WriteValues(*registry,
                    ServerValues(ServerLibraryPath(ModuleFile(), &ShortPath), IsNtFamily()));
        return S_OK;
    });
    return SUCCEEDED(result) ? S_OK : E_FAIL;
}

// RegDeleteKeyW leaves a key that still has sub-keys, as unregistration wants; failures
// are of no interest to the registration tool.
STDAPI DllUnregisterServer() {
    return Guarded([]() -> HRESULT {
        for (const std::wstring& key : ServerKeysToDelete())
            RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
        return S_OK;
    });
}
