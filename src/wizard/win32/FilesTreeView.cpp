#include "FilesTreeView.h"

#include "Controls.h"
#include "HandlerError.h"
#include "platform/Error.h"

namespace dovrel {

namespace {

constexpr int kPictureSize = 16;
constexpr int kPictureCount = 10;
constexpr int kIndent = 19;

HTREEITEM ItemOf(const TTreeNode& node) {
    return static_cast<HTREEITEM>(node.ControlItem);
}

HIMAGELIST MakeImageList(const TBitmap& pictures) {
    const HIMAGELIST list =
        ImageList_Create(kPictureSize, kPictureSize, ILC_COLOR32, kPictureCount, 0);
    if (list == nullptr || ImageList_Add(list, pictures.Handle(), nullptr) < 0)
        throw Error(L"Cannot make the tree's pictures.");
    return list;
}

}  // namespace

TFilesTreeView::TFilesTreeView(HWND parent, int id, const RECT& place, HFONT font,
                               const TBitmap& pictures)
    : window_(CreateChild(parent, WC_TREEVIEWW, L"",
                          WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                          id, place, font, WS_EX_CLIENTEDGE)),
      pictures_(MakeImageList(pictures)) {
    // The same pictures serve as item pictures and, by the check state's index, as state
    // pictures; state 0 shows none, so the unused first picture is never drawn.
    TreeView_SetImageList(window_, pictures_, TVSIL_NORMAL);
    TreeView_SetImageList(window_, pictures_, TVSIL_STATE);
    TreeView_SetIndent(window_, kIndent);
    SetWindowSubclass(window_, &TFilesTreeView::Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

TFilesTreeView::~TFilesTreeView() {
    if (IsWindow(window_)) {
        TreeView_SetImageList(window_, nullptr, TVSIL_NORMAL);
        TreeView_SetImageList(window_, nullptr, TVSIL_STATE);
    }
    ImageList_Destroy(pictures_);
}

void TFilesTreeView::Clearing() {
    TreeView_DeleteAllItems(window_);
}

void TFilesTreeView::NodeAdded(TTreeNode& node) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.Parent() != nullptr ? ItemOf(*node.Parent()) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    TVITEMW& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
    std::wstring text = node.Text();
    item.pszText = text.data();
    // The placeholder has no picture; it is never seen, its parent being closed.
    const int picture = node.IsPlaceholder() ? 0 : static_cast<int>(node.Picture());
    item.iImage = picture;
    item.iSelectedImage = picture;
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(node.State()));
    item.lParam = reinterpret_cast<LPARAM>(&node);
    node.ControlItem = TreeView_InsertItem(window_, &insert);
    if (node.ControlItem == nullptr)
        throw Error(L"Cannot add \"" + node.Text() + L"\" to the tree.");
}

void TFilesTreeView::DeletingChildren(TTreeNode& node) {
    HTREEITEM child = TreeView_GetChild(window_, ItemOf(node));
    while (child != nullptr) {
        const HTREEITEM next = TreeView_GetNextSibling(window_, child);
        TreeView_DeleteItem(window_, child);
        child = next;
    }
}

void TFilesTreeView::StateChanged(TTreeNode& node) {
    TreeView_SetItemState(window_, ItemOf(node),
                          INDEXTOSTATEIMAGEMASK(static_cast<UINT>(node.State())),
                          TVIS_STATEIMAGEMASK);
}

bool TFilesTreeView::OnNotify(const NMHDR& header, LRESULT& result) {
    if ((header.code != TVN_ITEMEXPANDINGW && header.code != TVN_ITEMEXPANDINGA) ||
        model_ == nullptr)
        return false;
    const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
    auto* node = reinterpret_cast<TTreeNode*>(change.itemNew.lParam);
    // The expansion is always allowed (FALSE); the first one reads the contents.
    result = FALSE;
    if ((change.action & TVE_EXPAND) != 0 && node != nullptr)
        model_->FilesTreeViewExpanding(*node);
    return true;
}

// A press on an item's picture, state picture or text toggles the item's check; one beside
// the items (indentation, expand button, empty space) changes nothing.
void TFilesTreeView::MouseDown(LPARAM point) {
    TVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    const HTREEITEM item = TreeView_HitTest(window_, &hit);
    if (item == nullptr || (hit.flags & TVHT_ONITEM) == 0 || model_ == nullptr)
        return;
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    TreeView_GetItem(window_, &data);
    model_->ToggleNodeCheck(reinterpret_cast<TTreeNode*>(data.lParam));
    TreeView_SelectItem(window_, nullptr);
}

LRESULT CALLBACK TFilesTreeView::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TFilesTreeView*>(data);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: {
            TVHITTESTINFO hit{};
            hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (TreeView_HitTest(window, &hit) != nullptr && (hit.flags & TVHT_ONITEM) != 0) {
                // A press on an item only toggles it: no selection stays behind, so the
                // next press on the same item toggles it again.
                SetFocus(window);
                try {
                    self->MouseDown(lParam);
                } catch (...) {
                    ShowHandlerError(GetAncestor(window, GA_ROOT));
                }
                return 0;
            }
            break;
        }
        case WM_SETFOCUS: {
            // Taking the focus selects an item; the tree shows checks, not a selection.
            const bool hadSelection = TreeView_GetSelection(window) != nullptr;
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (!hadSelection)
                TreeView_SelectItem(window, nullptr);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &TFilesTreeView::Subclass, 1);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace dovrel
