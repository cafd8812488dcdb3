#pragma once

#include <string>
#include <vector>

#include "engine/RunHost.h"
#include "wizard/TreeNode.h"

namespace dovrel {

// What the selection tree held when a run started, copied on the window's thread so that
// the run's worker walks it without touching the live tree.
class TSelectionSnapshot final : public TSelectionWalk {
public:
    struct TNode {
        std::wstring text;
        std::wstring path;  // the node's full path
        TNodeKind kind = TNodeKind::Placeholder;
        TCheckState state = TCheckState::None;
        std::vector<TNode> children;
    };

    explicit TSelectionSnapshot(std::vector<TNode> roots) : roots_(std::move(roots)) {}

    const std::vector<TNode>& Roots() const noexcept { return roots_; }

    // The checked items, drive by drive in the tree's order, until the run is cancelled.
    // With WholeItems a checked drive is its text ("C:") and a checked folder its path
    // without a trailing separator; otherwise checked files are given as they are and a
    // checked folder whose contents were never read is handed to the sink's folder scan.
    void CollectSelection(TSelectionSink& sink, unsigned flags) override;

private:
    void CollectNode(const TNode& node, TSelectionSink& sink, unsigned flags) const;

    std::vector<TNode> roots_;
};

}  // namespace dovrel
