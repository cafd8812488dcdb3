// Uses the context-menu library as the file manager does, for the end-to-end tests: loads
// it, hands it a selection, builds its menu and chooses the entry of the given text, which
// writes the list file and starts Dovrel.exe.
//   MenuHost LIBRARY ENTRY PATH...
// Prints the menu's entries, one per line; exit code 0 when the entry was chosen and the
// command succeeded, 1 otherwise.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shellext/win32/DropDataObject.h"

namespace {

const CLSID kClassId = {
    0x6F1D3A50, 0x2C47, 0x4E8B, {0x9A, 0x15, 0xD0, 0xC3, 0xB7, 0xE2, 0x4F, 0x98}};
using TGetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

// The command offset of the entry reading `text`, or -1.
int FindEntry(HMENU menu, UINT first, const std::wstring& text) {
    int found = -1;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t entry[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING;
        info.dwTypeData = entry;
        info.cch = 255;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || entry[0] == 0)
            continue;
        std::printf("%ls\n", entry);
        if (text == entry)
            found = static_cast<int>(info.wID - first);
    }
    return found;
}

int Choose(const std::wstring& library, const std::wstring& text, std::vector<std::wstring> paths) {
    const HMODULE module = LoadLibraryW(library.c_str());
    if (module == nullptr)
        return 1;
    // Through a generic function pointer: GetProcAddress's type fits no export exactly.
    const auto getClassObject = reinterpret_cast<TGetClassObject>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    if (getClassObject == nullptr ||
        FAILED(getClassObject(kClassId, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        return 1;
    IShellExtInit* init = nullptr;
    const HRESULT created =
        factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init));
    factory->Release();
    if (FAILED(created))
        return 1;
    dovrel::test::TDropDataObject data(std::move(paths));
    IContextMenu* menu = nullptr;
    int result = 1;
    if (SUCCEEDED(init->Initialize(nullptr, &data, nullptr)) &&
        SUCCEEDED(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)))) {
        constexpr UINT kFirst = 1;
        const HMENU popup = CreatePopupMenu();
        if (SUCCEEDED(menu->QueryContextMenu(popup, 0, kFirst, 0x7FFF, CMF_NORMAL))) {
            const int offset = FindEntry(popup, kFirst, text);
            if (offset >= 0) {
                CMINVOKECOMMANDINFO info{};
                info.cbSize = sizeof info;
                info.lpVerb = MAKEINTRESOURCEA(offset);
                info.nShow = SW_SHOWNORMAL;
                result = SUCCEEDED(menu->InvokeCommand(&info)) ? 0 : 1;
            }
        }
        DestroyMenu(popup);
        menu->Release();
    }
    init->Release();
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: MenuHost LIBRARY ENTRY PATH...\n");
        return 1;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const int result = Choose(argv[1], argv[2], std::vector<std::wstring>(argv + 3, argv + argc));
    CoUninitialize();
    return result;
}
