#include "shellext/ContextMenuModel.h"

#include <map>

#include "shellext/ListFile.h"

namespace dovrel::shellext {

namespace {

constexpr std::uint32_t kVerbFlagsMask = 0x0F;
constexpr std::uint32_t kExploreFlag = 0x04;

}  // namespace

bool WantsMenuItems(std::uint32_t flags) noexcept {
    return (flags & kVerbFlagsMask) == 0 || (flags & kExploreFlag) != 0;
}

TContextMenuModel::TContextMenuModel(const TOperationList& operations) : operations_(operations) {}

void TContextMenuModel::SetSelection(std::vector<std::wstring> paths) {
    selection_ = std::move(paths);
    offered_.clear();
}

void TContextMenuModel::BuildOffered(std::size_t maxCount) {
    std::map<std::wstring_view, const TOperation*> byClassName;
    for (const std::wstring& path : selection_) {
        if (byClassName.size() == operations_.size())
            break;
        for (const auto& operation : operations_) {
            // The file system is asked only while a command is still missing.
            if (!byClassName.contains(operation->ClassName()) && operation->IsApplicable(path))
                byClassName.emplace(operation->ClassName(), operation.get());
        }
    }
    offered_.clear();
    for (const auto& [name, operation] : byClassName) {
        if (offered_.size() == maxCount)
            break;
        offered_.push_back(operation);
    }
}

const TOperation* TContextMenuModel::OfferedAt(std::size_t offset) const noexcept {
    return offset < offered_.size() ? offered_[offset] : nullptr;
}

std::vector<TMenuEntry> TContextMenuModel::MenuEntries(std::uint32_t firstPosition) const {
    std::vector<TMenuEntry> entries;
    if (offered_.empty())
        return entries;
    entries.push_back({firstPosition, nullptr});
    for (std::uint32_t i = 0; i < offered_.size(); ++i)
        entries.push_back({firstPosition + 1 + i, offered_[i], i});
    entries.push_back({firstPosition + 1 + static_cast<std::uint32_t>(offered_.size()), nullptr});
    return entries;
}

bool TContextMenuModel::Invoke(std::size_t offset, const std::wstring& listFolder,
                               const TLaunchContext& context) const {
    const TOperation* operation = OfferedAt(offset);
    if (operation == nullptr)
        return false;
    WriteListFile(listFolder, selection_);
    operation->Execute(context);
    return true;
}

}  // namespace dovrel::shellext
