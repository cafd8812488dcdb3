#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace dovrel {

// The tree's pictures, by their index in its picture list (item and state pictures alike).
enum class TTreePicture : int {
    None = -1,  // the placeholder has no picture
    EmptyBox = 0,
    CheckedBox = 1,
    PartlyCheckedBox = 2,
    UncheckedBox = 3,
    HardDisk = 4,  // any drive but removable and CD-ROM
    CdRom = 5,
    Floppy = 6,  // removable drives
    Folder = 7,
    File = 8,
    EncFile = 9,  // a file whose extension is ".enc"
};

// A node's check state, which is also the index of its state picture.
enum class TCheckState : int { None = 0, Checked = 1, PartlyChecked = 2, Unchecked = 3 };

enum class TNodeKind { Placeholder, Drive, Folder, File };

// The text of the placeholder child that gives an unread drive or folder its expand button.
inline constexpr const wchar_t* kPlaceholderText = L"scaner_dummy";

// One node of the selection tree: a drive (always a root), a folder, a file, or the
// placeholder under a drive or folder whose contents were not read yet.
class TTreeNode {
public:
    TTreeNode(TTreeNode* parent, std::wstring text, TTreePicture picture, TCheckState state)
        : parent_(parent), text_(std::move(text)), picture_(picture), state_(state) {}
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    // "C:" for a drive, the bare name for a folder or file.
    const std::wstring& Text() const noexcept { return text_; }
    TTreePicture Picture() const noexcept { return picture_; }
    TCheckState State() const noexcept { return state_; }
    TTreeNode* Parent() const noexcept { return parent_; }

    std::size_t ChildCount() const noexcept { return children_.size(); }
    TTreeNode& Child(std::size_t index) const { return *children_.at(index); }

    // The kind follows from the picture. The placeholder is told by having none, so a
    // real folder that happens to be named like it is still a folder.
    TNodeKind Kind() const noexcept;
    bool IsPlaceholder() const noexcept { return picture_ == TTreePicture::None; }
    // Its only child is the placeholder: the contents were never read.
    bool IsUnread() const noexcept {
        return children_.size() == 1 && children_[0]->IsPlaceholder();
    }

    // Free for the tree control, which keeps its own item for the node here.
    void* ControlItem = nullptr;

private:
    friend class TSelectionTree;

    TTreeNode* parent_;
    std::wstring text_;
    TTreePicture picture_;
    TCheckState state_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
};

inline TNodeKind TTreeNode::Kind() const noexcept {
    switch (picture_) {
        case TTreePicture::HardDisk:
        case TTreePicture::CdRom:
        case TTreePicture::Floppy:
            return TNodeKind::Drive;
        case TTreePicture::Folder:
            return TNodeKind::Folder;
        case TTreePicture::File:
        case TTreePicture::EncFile:
            return TNodeKind::File;
        default:
            return TNodeKind::Placeholder;
    }
}

}  // namespace dovrel
