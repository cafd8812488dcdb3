#include "ComGuard.h"
#include "MainUnit.h"
#include "ServerLifetime.h"

namespace dovrel::shellext {

STDMETHODIMP TContextMenuFactory::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

// The factory lives as long as the library; the count only tells whether a client still
// holds it.
STDMETHODIMP_(ULONG) TContextMenuFactory::AddRef() {
    FactoryReferenced();
    return 2;
}

STDMETHODIMP_(ULONG) TContextMenuFactory::Release() {
    FactoryReleased();
    return 1;
}

STDMETHODIMP TContextMenuFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
    return Guarded([&]() -> HRESULT {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto* menu = new TContextMenu();
        const HRESULT result = menu->QueryInterface(riid, object);
        menu->Release();
        return result;
    });
}

STDMETHODIMP TContextMenuFactory::LockServer(BOOL lock) {
    ChangeServerLock(lock != FALSE);
    return S_OK;
}

TContextMenuFactory& ContextMenuFactory() noexcept {
    static TContextMenuFactory factory;
    return factory;
}

}  // namespace dovrel::shellext
