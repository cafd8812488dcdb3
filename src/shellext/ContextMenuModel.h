#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shellext/Operations.h"

// What one context menu of the file manager holds: the selection it was opened on, the
// commands offered for it and the entries they become. The COM object only translates
// between this and the shell's interfaces.
namespace dovrel::shellext {

// The menu is wanted for a normal request (the low four flag bits clear) or an explorer
// tree's request; requests for the default verb or verbs only get nothing.
bool WantsMenuItems(std::uint32_t flags) noexcept;

struct TMenuEntry {
    std::uint32_t position;           // where it goes in the menu
    const TOperation* operation;      // none for a separator
    std::uint32_t commandOffset = 0;  // added to the first command identifier
};

class TContextMenuModel {
public:
    explicit TContextMenuModel(const TOperationList& operations = OperationList());

    // The selected paths in the order the shell gave them; the offered commands are
    // forgotten until the next BuildOffered.
    void SetSelection(std::vector<std::wstring> paths);
    const std::vector<std::wstring>& Selection() const noexcept { return selection_; }

    // Offers every command that applies to at least one selected path, ordered by class
    // name (Decrypt, Encrypt, Hide, Shred) and each once. `maxCount` caps them, so that
    // command identifiers stay inside the range the shell granted.
    void BuildOffered(std::size_t maxCount = SIZE_MAX);
    const std::vector<const TOperation*>& Offered() const noexcept { return offered_; }
    // None when no offered command has that offset.
    const TOperation* OfferedAt(std::size_t offset) const noexcept;

    // A separator at `firstPosition`, the offered commands, a separator; nothing when no
    // command is offered, since two bare separators would only clutter the menu.
    std::vector<TMenuEntry> MenuEntries(std::uint32_t firstPosition) const;

    // Writes the whole selection to the list file in `listFolder`, then starts the main
    // program for the command at `offset`. Returns false, doing nothing, when no command
    // has that offset. Raises, starting nothing, when the list file cannot be written:
    // the program would otherwise run on stale paths or none.
    bool Invoke(std::size_t offset, const std::wstring& listFolder,
                const TLaunchContext& context) const;

private:
    const TOperationList& operations_;
    std::vector<std::wstring> selection_;
    std::vector<const TOperation*> offered_;
};

}  // namespace dovrel::shellext
