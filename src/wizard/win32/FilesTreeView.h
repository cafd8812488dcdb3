#pragma once

#include <windows.h>

#include <commctrl.h>

#include "Pictures.h"
#include "wizard/SelectionTree.h"

namespace dovrel {

// The selection page's tree control over the selection model: the model's nodes as items,
// their pictures as item pictures and their check states as state pictures. A press on an
// item toggles its check; a drive's or folder's contents are read when it first opens.
class TFilesTreeView final : public TTreeControl {
public:
    // `pictures` is the strip of the ten tree pictures, 16 x 16 each.
    TFilesTreeView(HWND parent, int id, const RECT& place, HFONT font, const TBitmap& pictures);
    ~TFilesTreeView() override;
    TFilesTreeView(const TFilesTreeView&) = delete;
    TFilesTreeView& operator=(const TFilesTreeView&) = delete;

    // The model whose nodes this shows; set before the first BuildDrivesTree.
    void SetModel(TSelectionTree& model) noexcept { model_ = &model; }
    HWND Handle() const noexcept { return window_; }
    // The tree's notifications, sent to its parent; true when handled.
    bool OnNotify(const NMHDR& header, LRESULT& result);

    void Clearing() override;
    void NodeAdded(TTreeNode& node) override;
    void DeletingChildren(TTreeNode& node) override;
    void StateChanged(TTreeNode& node) override;

private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    void MouseDown(LPARAM point);

    HWND window_;
    HIMAGELIST pictures_;
    TSelectionTree* model_ = nullptr;
};

}  // namespace dovrel
