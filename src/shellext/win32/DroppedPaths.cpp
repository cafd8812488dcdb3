#include "DroppedPaths.h"

namespace dovrel::shellext {

std::vector<std::wstring> ReadDroppedPaths(HDROP drop) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::wstring> paths;
    paths.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        // A buffer of MAX_PATH would cut longer paths and hand over another item's name.
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        const UINT copied = DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(copied);
        paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace dovrel::shellext
