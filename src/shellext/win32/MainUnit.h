#pragma once

#include <windows.h>

#include <shlobj.h>

#include <atomic>

#include "shellext/ContextMenuModel.h"

// The COM object that the file manager creates for each context menu, and its factory.
namespace dovrel::shellext {

// {6F1D3A50-2C47-4E8B-9A15-D0C3B7E24F98}
inline constexpr CLSID kContextMenuClassId = {
    0x6F1D3A50, 0x2C47, 0x4E8B, {0x9A, 0x15, 0xD0, 0xC3, 0xB7, 0xE2, 0x4F, 0x98}};

class TContextMenu final : public IShellExtInit, public IContextMenu {
public:
    TContextMenu();
    TContextMenu(const TContextMenu&) = delete;
    TContextMenu& operator=(const TContextMenu&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // Takes the selection from the data object's CF_HDROP list.
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY programKey) override;

    STDMETHODIMP QueryContextMenu(HMENU menu, UINT firstPosition, UINT firstCommand,
                                  UINT lastCommand, UINT flags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT* reserved, CHAR* buffer,
                                  UINT bufferSize) override;

private:
    ~TContextMenu();
    HRESULT InsertEntries(HMENU menu, UINT firstPosition, UINT firstCommand) const;

    std::atomic<ULONG> references_{1};
    TContextMenuModel model_;
};

// One factory for the library's life; its references still count, so that the library
// stays loaded while a client holds it.
class TContextMenuFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;
};

TContextMenuFactory& ContextMenuFactory() noexcept;

}  // namespace dovrel::shellext
