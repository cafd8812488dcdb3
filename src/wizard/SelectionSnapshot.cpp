#include "wizard/SelectionSnapshot.h"

#include "engine/FilesIterationThread.h"
#include "platform/File.h"

namespace dovrel {

namespace {

bool IsUnread(const TSelectionSnapshot::TNode& node) {
    return node.children.size() == 1 && node.children[0].kind == TNodeKind::Placeholder;
}

}  // namespace

void TSelectionSnapshot::CollectSelection(TSelectionSink& sink, unsigned flags) {
    for (const TNode& root : roots_) {
        if (sink.IsCancelled())
            return;
        if ((flags & WholeItems) != 0 && root.state == TCheckState::Checked)
            sink.AppendItem(root.text);
        else
            CollectNode(root, sink, flags);
    }
}

void TSelectionSnapshot::CollectNode(const TNode& node, TSelectionSink& sink,
                                     unsigned flags) const {
    if (node.kind == TNodeKind::Placeholder || sink.IsCancelled())
        return;
    if (node.state == TCheckState::Checked) {
        if (node.kind == TNodeKind::File && (flags & ExpandFolders) != 0) {
            sink.AppendItem(node.path);
        } else if ((flags & WholeItems) != 0) {
            sink.AppendItem(node.path);
        } else if (IsUnread(node)) {
            // The tree never listed it: the disk says what is inside, hidden and system
            // files included.
            sink.ScanFolder(node.path + kPathDelim);
        } else {
            for (const TNode& child : node.children)
                CollectNode(child, sink, flags);
        }
    } else if (node.state == TCheckState::PartlyChecked) {
        for (const TNode& child : node.children)
            CollectNode(child, sink, flags);
    }
}

}  // namespace dovrel
