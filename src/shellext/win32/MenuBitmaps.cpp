#include "MenuBitmaps.h"

#include <array>

#include "ServerLifetime.h"

namespace dovrel::shellext {

namespace {

constexpr int kFirstBitmapId = 101;
constexpr int kBitmapCount = 4;

// Loaded on first use rather than in DllMain, where the system's graphics calls may not be
// made; every object reads them afterwards.
class TMenuBitmaps {
public:
    TMenuBitmaps() noexcept {
        for (int i = 0; i < kBitmapCount; ++i) {
            // A section keeps the resource's 24 bits instead of the screen's format.
            bitmaps_[i] = static_cast<HBITMAP>(LoadImageW(ModuleHandle(),
                                                          MAKEINTRESOURCEW(kFirstBitmapId + i),
                                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        }
    }
    ~TMenuBitmaps() {
        for (HBITMAP bitmap : bitmaps_) {
            if (bitmap != nullptr)
                DeleteObject(bitmap);
        }
    }
    TMenuBitmaps(const TMenuBitmaps&) = delete;
    TMenuBitmaps& operator=(const TMenuBitmaps&) = delete;

    HBITMAP Get(int index) const noexcept {
        return index >= 0 && index < kBitmapCount ? bitmaps_[index] : nullptr;
    }

private:
    std::array<HBITMAP, kBitmapCount> bitmaps_{};
};

}  // namespace

HBITMAP MenuBitmap(int imageIndex) noexcept {
    static const TMenuBitmaps bitmaps;
    return bitmaps.Get(imageIndex);
}

}  // namespace dovrel::shellext
