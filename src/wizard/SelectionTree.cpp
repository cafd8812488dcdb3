#include "wizard/SelectionTree.h"

#include <algorithm>

#include "hiding/HiddenConfig.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "wizard/DriveList.h"

namespace dovrel {

namespace {

constexpr std::uint32_t kHiddenAndSystem = attr::kHidden | attr::kSystem;

TTreePicture DrivePicture(TDriveType type) {
    switch (type) {
        case TDriveType::Removable:
            return TTreePicture::Floppy;
        case TDriveType::CdRom:
            return TTreePicture::CdRom;
        default:
            return TTreePicture::HardDisk;
    }
}

// From the last ".", the dot included; empty when the name has none.
std::wstring Extension(const std::wstring& name) {
    const auto dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

bool IsMarked(const TTreeNode& node) {
    return node.State() == TCheckState::Checked || node.State() == TCheckState::PartlyChecked;
}

bool AnyChecked(const TTreeNode& node) {
    if (node.State() == TCheckState::Checked)
        return true;
    for (std::size_t i = 0; i < node.ChildCount(); ++i) {
        if (AnyChecked(node.Child(i)))
            return true;
    }
    return false;
}

}  // namespace

TSelectionTree::TSelectionTree(TTreeControl& control, TDrives& drives, const THiddenConfig& store,
                               TDriveFolder driveFolder)
    : control_(control), drives_(drives), store_(store), driveFolder_(std::move(driveFolder)) {}

void TSelectionTree::BuildDrivesTree() {
    control_.Clearing();
    roots_.clear();
    for (const std::wstring& drive : GetDrives(drives_)) {
        // A drive the program hid is offered by no path until it is shown again.
        if (store_.FindItem(drive + L"\\") != nullptr)
            continue;
        const wchar_t letter = drive[0];
        TTreeNode& node = AddNode(nullptr, drive, DrivePicture(drives_.DriveType(letter)),
                                  TCheckState::Unchecked);
        // Floppy drives would spin up at every expansion: they can be checked, not opened.
        if (letter != L'A' && letter != L'B' && IsDriveReady(drives_, letter))
            AddPlaceholder(node);
    }
}

bool TSelectionTree::FilesTreeViewExpanding(TTreeNode& node) {
    if (node.IsUnread()) {
        control_.DeletingChildren(node);
        node.children_.clear();
        ListFolderChildren(GetNodePath(node) + kPathDelim, node);
    }
    return true;
}

void TSelectionTree::ListFolderChildren(const std::wstring& folder, TTreeNode& node) {
    const TCheckState state =
        node.State() == TCheckState::Checked ? TCheckState::Checked : TCheckState::Unchecked;
    EnumerateFolder(folder, [&](const TFindEntry& entry) {
        // Everything the program hides has both attributes.
        if ((entry.data.attributes & kHiddenAndSystem) == kHiddenAndSystem)
            return true;
        if (entry.data.IsFolder()) {
            // Even an empty folder shows an expand button until it is opened.
            AddPlaceholder(AddNode(&node, entry.name, TTreePicture::Folder, state));
        } else if (FileMatchesFilter(entry.name)) {
            const bool encrypted = Extension(entry.name) == L".enc";
            AddNode(&node, entry.name, encrypted ? TTreePicture::EncFile : TTreePicture::File,
                    state);
        }
        return true;
    });
}

std::wstring TSelectionTree::GetNodePath(const TTreeNode& node) const {
    if (node.Parent() == nullptr)
        return driveFolder_ ? driveFolder_(node.Text()) : node.Text();
    return GetNodePath(*node.Parent()) + kPathDelim + node.Text();
}

bool TSelectionTree::FileMatchesFilter(const std::wstring& name) const {
    return !encOnlyFilter_ || Extension(name) == L".enc";
}

void TSelectionTree::ToggleNodeCheck(TTreeNode* node) {
    if (node == nullptr)
        return;
    switch (node->State()) {
        case TCheckState::Unchecked:
            SetSubtreeChecked(*node, true);
            break;
        case TCheckState::Checked:
        case TCheckState::PartlyChecked:
            SetSubtreeChecked(*node, false);
            break;
        case TCheckState::None:
            return;
    }
    UpdateParentChecks(*node);
}

void TSelectionTree::SetSubtreeChecked(TTreeNode& node, bool checked) {
    // The placeholder stays without a state: it is no item.
    if (node.IsPlaceholder())
        return;
    SetState(node, checked ? TCheckState::Checked : TCheckState::Unchecked);
    for (const auto& child : node.children_)
        SetSubtreeChecked(*child, checked);
}

void TSelectionTree::UpdateParentChecks(TTreeNode& node) {
    for (TTreeNode* parent = node.Parent(); parent != nullptr; parent = parent->Parent()) {
        const auto& children = parent->children_;
        const auto marked = static_cast<std::size_t>(std::count_if(
            children.begin(), children.end(), [](const auto& child) { return IsMarked(*child); }));
        if (marked == children.size())
            SetState(*parent, TCheckState::Checked);
        else if (marked > 0)
            SetState(*parent, TCheckState::PartlyChecked);
        else
            SetState(*parent, TCheckState::Unchecked);
    }
}

bool TSelectionTree::HasCheckedNode() const {
    return std::any_of(roots_.begin(), roots_.end(),
                       [](const auto& root) { return AnyChecked(*root); });
}

std::unique_ptr<TSelectionSnapshot> TSelectionTree::TakeSnapshot() const {
    std::vector<TSelectionSnapshot::TNode> roots;
    roots.reserve(roots_.size());
    for (const auto& root : roots_)
        roots.push_back(Snapshot(*root));
    return std::make_unique<TSelectionSnapshot>(std::move(roots));
}

TSelectionSnapshot::TNode TSelectionTree::Snapshot(const TTreeNode& node) const {
    TSelectionSnapshot::TNode copy;
    copy.text = node.Text();
    copy.kind = node.Kind();
    copy.state = node.State();
    if (!node.IsPlaceholder())
        copy.path = GetNodePath(node);
    copy.children.reserve(node.ChildCount());
    for (const auto& child : node.children_)
        copy.children.push_back(Snapshot(*child));
    return copy;
}

TTreeNode& TSelectionTree::AddNode(TTreeNode* parent, std::wstring text, TTreePicture picture,
                                   TCheckState state) {
    auto& siblings = parent != nullptr ? parent->children_ : roots_;
    siblings.push_back(std::make_unique<TTreeNode>(parent, std::move(text), picture, state));
    TTreeNode& node = *siblings.back();
    control_.NodeAdded(node);
    return node;
}

void TSelectionTree::AddPlaceholder(TTreeNode& parent) {
    AddNode(&parent, kPlaceholderText, TTreePicture::None, TCheckState::None);
}

void TSelectionTree::SetState(TTreeNode& node, TCheckState state) {
    if (node.state_ == state)
        return;
    node.state_ = state;
    control_.StateChanged(node);
}

}  // namespace dovrel
