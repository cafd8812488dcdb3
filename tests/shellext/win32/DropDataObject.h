#pragma once

#include <windows.h>

#include <objidl.h>

#include <string>
#include <vector>

namespace dovrel::test {

// A data object as the file manager hands to a context-menu handler: the selected paths as
// CF_HDROP in global memory, or no format at all.
class TDropDataObject final : public IDataObject {
public:
    // `offersDrop` false: a data object of some other kind, which has no CF_HDROP.
    explicit TDropDataObject(std::vector<std::wstring> paths, bool offersDrop = true);

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    // How many storage media were handed out and not yet released by the handler.
    static long MediaAlive();

private:
    std::vector<std::wstring> paths_;
    bool offersDrop_;
    ULONG references_ = 1;
};

}  // namespace dovrel::test
