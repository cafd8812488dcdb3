#include <algorithm>

#include "ComGuard.h"
#include "DroppedPaths.h"
#include "MainUnit.h"
#include "MenuBitmaps.h"
#include "ServerLifetime.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "shellext/ListFile.h"

namespace dovrel::shellext {

namespace {

// The result of the start is not examined: without the program there is nothing to tell
// the user from inside the file manager.
void ShellStart(const std::wstring& file, const std::wstring& parameters,
                const std::wstring& folder) {
    ShellExecuteW(nullptr, L"open", file.c_str(), parameters.c_str(),
                  folder.empty() ? nullptr : folder.c_str(), SW_SHOW);
}

class TMediumRelease {
public:
    explicit TMediumRelease(STGMEDIUM& medium) noexcept : medium_(medium) {}
    ~TMediumRelease() { ReleaseStgMedium(&medium_); }
    TMediumRelease(const TMediumRelease&) = delete;
    TMediumRelease& operator=(const TMediumRelease&) = delete;

private:
    STGMEDIUM& medium_;
};

}  // namespace

TContextMenu::TContextMenu() {
    ObjectCreated();
}

TContextMenu::~TContextMenu() {
    ObjectDestroyed();
}

STDMETHODIMP TContextMenu::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellExtInit)) {
        *object = static_cast<IShellExtInit*>(this);
    } else if (IsEqualIID(riid, IID_IContextMenu)) {
        *object = static_cast<IContextMenu*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TContextMenu::AddRef() {
    return ++references_;
}

STDMETHODIMP_(ULONG) TContextMenu::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP TContextMenu::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) {
    return Guarded([&]() -> HRESULT {
        if (data == nullptr)
            return E_INVALIDARG;
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        const HRESULT got = data->GetData(&format, &medium);
        if (FAILED(got))
            return got;
        const TMediumRelease release(medium);
        if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr)
            return DV_E_TYMED;
        model_.SetSelection(ReadDroppedPaths(static_cast<HDROP>(medium.hGlobal)));
        return S_OK;
    });
}

STDMETHODIMP TContextMenu::QueryContextMenu(HMENU menu, UINT firstPosition, UINT firstCommand,
                                            UINT lastCommand, UINT flags) {
    return Guarded([&]() -> HRESULT {
        if (!WantsMenuItems(flags))
            return E_FAIL;
        // Identifiers past the last one belong to the next handler of the menu.
        const std::size_t room =
            lastCommand >= firstCommand ? std::size_t{lastCommand} - firstCommand + 1 : 0;
        model_.BuildOffered(room);
        const HRESULT inserted = InsertEntries(menu, firstPosition, firstCommand);
        if (FAILED(inserted))
            return inserted;
        const auto count = model_.MenuEntries(firstPosition).size();
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, static_cast<USHORT>(count));
    });
}

HRESULT TContextMenu::InsertEntries(HMENU menu, UINT firstPosition, UINT firstCommand) const {
    for (const TMenuEntry& entry : model_.MenuEntries(firstPosition)) {
        BOOL done;
        if (entry.operation == nullptr) {
            done = InsertMenuW(menu, entry.position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        } else {
            done = InsertMenuW(menu, entry.position, MF_BYPOSITION | MF_STRING,
                               firstCommand + entry.commandOffset,
                               entry.operation->Caption().c_str()) &&
                   SetMenuItemBitmaps(menu, entry.position, MF_BYPOSITION,
                                      MenuBitmap(entry.operation->ImageIndex()), nullptr);
        }
        if (!done)
            return HRESULT_FROM_WIN32(GetLastError());
    }
    return S_OK;
}

STDMETHODIMP TContextMenu::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    return Guarded([&]() -> HRESULT {
        if (info == nullptr)
            return E_INVALIDARG;
        const auto verb = reinterpret_cast<ULONG_PTR>(info->lpVerb);
        // A verb given as text names no command of this menu.
        if ((verb >> 16) != 0)
            return E_FAIL;
        const auto registry = CreateSystemRegistry();
        const TLaunchContext context{*registry, &ShellStart};
        const bool invoked =
            model_.Invoke(LOWORD(verb), ListFileFolder(RoamingAppDataFolder()), context);
        return invoked ? S_OK : E_INVALIDARG;
    });
}

STDMETHODIMP TContextMenu::GetCommandString(UINT_PTR command, UINT type, UINT*, CHAR* buffer,
                                            UINT bufferSize) {
    return Guarded([&]() -> HRESULT {
        const TOperation* operation = model_.OfferedAt(command);
        if (type != GCS_HELPTEXTW || operation == nullptr || buffer == nullptr || bufferSize == 0) {
            return E_INVALIDARG;
        }
        // The buffer holds wide characters for the wide types, counted in characters.
        auto* out = reinterpret_cast<wchar_t*>(buffer);
        const std::wstring& text = operation->HelpText();
        const std::size_t length = std::min<std::size_t>(text.size(), bufferSize - 1);
        std::copy_n(text.data(), length, out);
        out[length] = L'\0';
        return S_OK;
    });
}

}  // namespace dovrel::shellext
