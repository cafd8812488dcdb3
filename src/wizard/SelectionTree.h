#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Drives.h"
#include "wizard/SelectionSnapshot.h"
#include "wizard/TreeNode.h"

namespace dovrel {

class THiddenConfig;

// The window's tree control, which shows the nodes the model holds. The model tells it of
// every change before it touches the nodes concerned, so node references stay valid for
// the call.
class TTreeControl {
public:
    virtual ~TTreeControl() = default;

    // Every node is about to go.
    virtual void Clearing() = 0;
    // `node` was added as the last child of its parent, or as the last root.
    virtual void NodeAdded(TTreeNode& node) = 0;
    // Every child of `node` is about to go.
    virtual void DeletingChildren(TTreeNode& node) = 0;
    virtual void StateChanged(TTreeNode& node) = 0;
};

// Where a drive's files are: the drive text itself ("C:") on Windows; tests root their
// drives in temporary folders.
using TDriveFolder = std::function<std::wstring(const std::wstring& drive)>;

// The selection tree of drives, folders and files with three-state check boxes. Drives are
// listed when a path opens; a drive's or folder's contents are read on its first expansion.
// Everything here runs on the window's thread; a run reads a snapshot.
class TSelectionTree {
public:
    TSelectionTree(TTreeControl& control, TDrives& drives, const THiddenConfig& store,
                   TDriveFolder driveFolder = {});
    TSelectionTree(const TSelectionTree&) = delete;
    TSelectionTree& operator=(const TSelectionTree&) = delete;

    // Replaces every node with the drives, left out those the program has hidden. Each
    // drive starts unchecked; all but A: and B: get an expand button when ready.
    void BuildDrivesTree();
    // Before `node` opens: the first time, its contents are read. Always allows it.
    bool FilesTreeViewExpanding(TTreeNode& node);
    // Adds a child for each entry of `folder` (which ends with a separator), in the order
    // the file system lists them; entries both hidden and system are left out. Children
    // take the node's checked state.
    void ListFolderChildren(const std::wstring& folder, TTreeNode& node);
    // The drive's folder, then the names down to the node, joined by separators.
    std::wstring GetNodePath(const TTreeNode& node) const;
    // With the filter on, only names whose extension is exactly ".enc" (letter case too).
    bool FileMatchesFilter(const std::wstring& name) const;

    bool EncOnlyFilter() const noexcept { return encOnlyFilter_; }
    void SetEncOnlyFilter(bool on) noexcept { encOnlyFilter_ = on; }

    // A click on a node: unchecked becomes checked, checked and partly checked become
    // unchecked, for the node's loaded subtree; the ancestors follow. The placeholder and
    // nothing do nothing.
    void ToggleNodeCheck(TTreeNode* node);
    void SetSubtreeChecked(TTreeNode& node, bool checked);
    // Each ancestor becomes checked when all its children are marked (checked or partly),
    // partly checked when some are, unchecked when none is.
    void UpdateParentChecks(TTreeNode& node);
    bool HasCheckedNode() const;

    const std::vector<std::unique_ptr<TTreeNode>>& RootNodes() const noexcept { return roots_; }

    std::unique_ptr<TSelectionSnapshot> TakeSnapshot() const;

private:
    TTreeNode& AddNode(TTreeNode* parent, std::wstring text, TTreePicture picture,
                       TCheckState state);
    void AddPlaceholder(TTreeNode& parent);
    void SetState(TTreeNode& node, TCheckState state);
    TSelectionSnapshot::TNode Snapshot(const TTreeNode& node) const;

    TTreeControl& control_;
    TDrives& drives_;
    const THiddenConfig& store_;
    TDriveFolder driveFolder_;
    bool encOnlyFilter_ = false;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
};

}  // namespace dovrel
