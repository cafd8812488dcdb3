#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/RunHost.h"

namespace dovrel {

class TMainPassDialog;
class TMainWindow;
class TNewPassDialog;
class TOperation;
class TPasswordMessages;
class TSelectionSnapshot;
class TSelectionTree;

// The behaviour of the main window: its wizard buttons, the operation list, the first
// activation, and the front end of the runs its paths start. The window forwards its
// events here and shows what this sets.
//
// Lives as long as the window. A run holds it as its host: the window must cancel a run
// and wait for its end before this goes.
class TWizard final : public TRunHost {
public:
    TWizard(TMainWindow& window, TSelectionTree& tree, TMainPassDialog& mainPassword,
            TNewPassDialog& newPassword, TPasswordMessages& passwordMessages);
    ~TWizard() override;
    TWizard(const TWizard&) = delete;
    TWizard& operator=(const TWizard&) = delete;

    // The window's first activation asks for a main password when none is set, then acts
    // on the command line's switches. Later activations do nothing.
    void FormActivate(const std::vector<std::wstring>& arguments);
    // A click on the operation list: after a pause of 100 ms the row under the pointer
    // then opens its path.
    void OperationsListBoxClick();
    void NextButtonClick();
    void BackButtonClick();
    // Cancels the open path, or ends the program when none is open.
    void ExitButtonClick();
    void FinishButtonClick();
    // Either change-password link: a new main password, without asking for the old one.
    void ChangeMainPassLabelClick();

    // Opens the path of an operation list row (0 encrypt to 4 show); the hide and show paths
    // open only after the main password. False when no path opened. While a run works no
    // path opens: the run's finish ends the open path, and a hide run changes the hidden
    // items that a new selection tree reads.
    bool OpenPathOfRow(int row);

    // --- for the paths ---
    TMainWindow& Window() noexcept { return window_; }
    TSelectionTree& Tree() noexcept { return tree_; }
    bool CheckMainPassword();
    // Next and Back shown, Exit reading "Cancel"; Next stays disabled while a run exists.
    void ShowPathButtons();
    // Starts a run over the preselected items and a snapshot of the tree, and shows its
    // progress. Refused (false) while another run exists.
    bool StartWizardRun(std::unique_ptr<TOperation> operation, unsigned flags);
    void ShowFinishPage(const TOperation& operation, std::int64_t count);
    // From the start of a run until its progress closed.
    bool RunInProgress() const noexcept { return runInProgress_; }

    // A path was opened by a switch of the command line: the first run that completes ends
    // the program.
    bool StartedFromCommandLine() const noexcept { return startedFromCommandLine_; }
    void NoteStartedFromCommandLine();
    // The items the command line handed over are for its path alone. They are dropped as
    // soon as no run can be reading them, and count as gone from now on.
    void DropPreselectedItems();
    bool HasPreselectedItems() const;

    // --- the runs' host ---
    void Invoke(const std::function<void()>& call) override;
    void Finish(const TOperation& operation, std::int64_t itemCount) override;
    void RunFailed(const std::wstring& item, const std::wstring& message) override;
    void CloseProgress() override;

private:
    TMainWindow& window_;
    TSelectionTree& tree_;
    TMainPassDialog& mainPassword_;
    TNewPassDialog& newPassword_;
    TPasswordMessages& passwordMessages_;

    void DropItemsWhenNoRunReads();

    bool activated_ = false;
    bool dropItems_ = false;
    bool startedFromCommandLine_ = false;
    bool runInProgress_ = false;
    std::uint64_t runPathSerial_ = 0;
    // What the current or last run walks; kept until the next run starts.
    std::unique_ptr<TSelectionSnapshot> snapshot_;
};

}  // namespace dovrel
