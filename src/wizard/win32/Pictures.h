#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace dovrel {

// A decoded picture: a top-down 32-bit DIB section with premultiplied alpha, so that
// AlphaBlend and the image lists draw it with its transparency.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(HBITMAP handle, int width, int height) noexcept
        : handle_(handle), width_(width), height_(height) {}
    ~TBitmap();
    TBitmap(TBitmap&& other) noexcept;
    TBitmap& operator=(TBitmap&& other) noexcept;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    HBITMAP Handle() const noexcept { return handle_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

private:
    HBITMAP handle_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Decodes a JPEG or PNG file's bytes; raises an Error with the system's reason when the
// data is no picture. COM must be initialised on the calling thread.
TBitmap DecodePicture(std::span<const std::uint8_t> bytes);

// The bytes of an RCDATA resource of the program; raises when it is missing.
std::span<const std::uint8_t> ResourceBytes(int id);

// Draws the part (sourceX, 0, width, height) of `bitmap` at (x, y) with its transparency;
// `opacity` 255 draws it as it is, less fades it.
void DrawBitmapPart(HDC dc, const TBitmap& bitmap, int sourceX, int width, int x, int y,
                    BYTE opacity = 255);
inline void DrawBitmap(HDC dc, const TBitmap& bitmap, int x, int y) {
    DrawBitmapPart(dc, bitmap, 0, bitmap.Width(), x, y);
}

}  // namespace dovrel
