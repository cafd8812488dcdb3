#include "Pictures.h"

#include <wincodec.h>

#include <utility>

#include "platform/Error.h"
#include "platform/SystemError.h"

namespace dovrel {

namespace {

// Releases a COM interface at the end of its scope.
template <typename T>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr() {
        if (p_ != nullptr)
            p_->Release();
    }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    T** operator&() noexcept { return &p_; }
    T* operator->() const noexcept { return p_; }
    T* Get() const noexcept { return p_; }

private:
    T* p_ = nullptr;
};

void Check(HRESULT result, const wchar_t* what) {
    if (FAILED(result))
        throw Error(std::wstring(what) + L" " + SystemErrorText(static_cast<unsigned>(result)));
}

HBITMAP CreateTopDownDib(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, like the decoder's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    if (bitmap == nullptr)
        throw Error(L"Cannot create a bitmap. " + SystemErrorText(GetLastError()));
    return bitmap;
}

}  // namespace

TBitmap::~TBitmap() {
    if (handle_ != nullptr)
        DeleteObject(handle_);
}

TBitmap::TBitmap(TBitmap&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      width_(other.width_),
      height_(other.height_) {}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
    if (this != &other) {
        if (handle_ != nullptr)
            DeleteObject(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        width_ = other.width_;
        height_ = other.height_;
    }
    return *this;
}

TBitmap DecodePicture(std::span<const std::uint8_t> bytes) {
    constexpr const wchar_t* kWhat = L"Cannot decode the picture.";
    TComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)),
          kWhat);
    TComPtr<IWICStream> stream;
    Check(factory->CreateStream(&stream), kWhat);
    Check(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size())),
          kWhat);
    TComPtr<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                           &decoder),
          kWhat);
    TComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, &frame), kWhat);
    TComPtr<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(&converter), kWhat);
    Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                nullptr, 0, WICBitmapPaletteTypeCustom),
          kWhat);
    UINT width = 0, height = 0;
    Check(converter->GetSize(&width, &height), kWhat);
    void* bits = nullptr;
    TBitmap bitmap(CreateTopDownDib(static_cast<int>(width), static_cast<int>(height), &bits),
                   static_cast<int>(width), static_cast<int>(height));
    const UINT stride = width * 4;
    Check(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)), kWhat);
    return bitmap;
}

std::span<const std::uint8_t> ResourceBytes(int id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        throw Error(L"Cannot load resource " + std::to_wstring(id) + L". " +
                    SystemErrorText(GetLastError()));
    return {static_cast<const std::uint8_t*>(data), SizeofResource(module, found)};
}

void DrawBitmapPart(HDC dc, const TBitmap& bitmap, int sourceX, int width, int x, int y,
                    BYTE opacity) {
    if (!bitmap)
        return;
    const HDC memory = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(memory, bitmap.Handle());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, width, bitmap.Height(), memory, sourceX, 0, width, bitmap.Height(), blend);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace dovrel
