#include "DropDataObject.h"

#include <shlobj.h>

#include <atomic>
#include <cstring>

namespace dovrel::test {

namespace {

std::atomic<long> mediaAlive{0};

// Counts the release of the medium that GetData handed out.
class TMediumOwner final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!IsEqualIID(riid, IID_IUnknown)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            GlobalFree(memory_);
            --mediaAlive;
            delete this;
        }
        return left;
    }
    explicit TMediumOwner(HGLOBAL memory) : memory_(memory) { ++mediaAlive; }

private:
    ULONG references_ = 1;
    HGLOBAL memory_;
};

HGLOBAL DropList(const std::vector<std::wstring>& paths) {
    std::size_t characters = 1;  // the list's closing terminator
    for (const std::wstring& path : paths)
        characters += path.size() + 1;
    const std::size_t size = sizeof(DROPFILES) + characters * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    for (const std::wstring& path : paths) {
        std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        text += path.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

bool IsDropRequest(const FORMATETC* format) {
    return format != nullptr && format->cfFormat == CF_HDROP &&
           format->dwAspect == DVASPECT_CONTENT && (format->tymed & TYMED_HGLOBAL) != 0;
}

}  // namespace

TDropDataObject::TDropDataObject(std::vector<std::wstring> paths, bool offersDrop)
    : paths_(std::move(paths)), offersDrop_(offersDrop) {}

STDMETHODIMP TDropDataObject::QueryInterface(REFIID riid, void** object) {
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDataObject)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TDropDataObject::AddRef() {
    return ++references_;
}

// Lives on the test's stack; the count only has to stay balanced.
STDMETHODIMP_(ULONG) TDropDataObject::Release() {
    return --references_;
}

STDMETHODIMP TDropDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!offersDrop_ || !IsDropRequest(format))
        return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = DropList(paths_);
    medium->pUnkForRelease = new TMediumOwner(medium->hGlobal);
    return S_OK;
}

STDMETHODIMP TDropDataObject::QueryGetData(FORMATETC* format) {
    return offersDrop_ && IsDropRequest(format) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP TDropDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    out->ptd = nullptr;
    return E_NOTIMPL;
}

long TDropDataObject::MediaAlive() {
    return mediaAlive;
}

}  // namespace dovrel::test
