#include "engine/OperationList.h"

#include "platform/File.h"

namespace dovrel {

namespace {

std::vector<TPicture> pictures;

TPicture ReadPicture(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    TPicture bytes(static_cast<std::size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

}  // namespace

void BuildOperationPictures(const std::wstring& programFolder) {
    std::vector<TPicture> loaded;
    for (std::size_t n = 0; n < 2 * kOperationCount; ++n) {
        loaded.push_back(
            ReadPicture(programFolder + L"res" + kPathDelim + std::to_wstring(n) + L".jpg"));
    }
    pictures = std::move(loaded);
}

void ReleaseOperationPictures() {
    pictures.clear();
}

const TPicture& NormalPicture(std::size_t entry) {
    return pictures.at(entry);
}

const TPicture& HighlightedPicture(std::size_t entry) {
    return pictures.at(entry + kOperationCount);
}

}  // namespace dovrel
