#include "engine/OperationList.h"

#include <memory>

#include "app/LangManager.h"
#include "engine/Operations.h"
#include "platform/File.h"

namespace dovrel {

namespace {

std::vector<std::unique_ptr<TOperation>> operations;
std::vector<TPicture> pictures;

template <typename Operation>
std::unique_ptr<TOperation> MakeEntry(const wchar_t* nameKey, const wchar_t* descriptionKey) {
    return std::make_unique<Operation>(LookupMessage(nameKey), LookupMessage(descriptionKey));
}

TPicture ReadPicture(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    TPicture bytes(static_cast<std::size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

}  // namespace

void BuildOperationList() {
    std::vector<std::unique_ptr<TOperation>> built;
    built.push_back(MakeEntry<TEncrypt>(L"Encrypt", L"Encrypt_desc"));
    built.push_back(MakeEntry<TDecrypt>(L"Decrypt", L"Decrypt_desc"));
    built.push_back(MakeEntry<TShred>(L"Shred", L"Shred_desc"));
    built.push_back(MakeEntry<THide>(L"Hide", L"Hide_desc"));
    built.push_back(MakeEntry<TShow>(L"Show", L"Show_desc"));
    operations = std::move(built);
}

void ReleaseOperationList() {
    operations.clear();
}

const TOperation& OperationEntry(std::size_t index) {
    return *operations.at(index);
}

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
