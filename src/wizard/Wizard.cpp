#include "wizard/Wizard.h"

#include <chrono>
#include <thread>

#include "app/CmdLineActivate.h"
#include "app/LangManager.h"
#include "engine/FilesIterationThread.h"
#include "engine/Operations.h"
#include "hiding/HiddenConfig.h"
#include "hiding/MainPassword.h"
#include "wizard/MainWindow.h"
#include "wizard/OperationPathes.h"
#include "wizard/PathClasses.h"
#include "wizard/SelectionTree.h"

namespace dovrel {

namespace {

// The list's selection follows the pointer; the pause lets a click that lands while the
// pointer still moves settle on the row it ends on.
constexpr std::chrono::milliseconds kListClickPause{100};

}  // namespace

TWizard::TWizard(TMainWindow& window, TSelectionTree& tree, TMainPassDialog& mainPassword,
                 TNewPassDialog& newPassword, TPasswordMessages& passwordMessages)
    : window_(window),
      tree_(tree),
      mainPassword_(mainPassword),
      newPassword_(newPassword),
      passwordMessages_(passwordMessages) {}

// The open path works on this wizard: it goes first.
TWizard::~TWizard() {
    ReleaseCurrentPath();
}

void TWizard::FormActivate(const std::vector<std::wstring>& arguments) {
    if (activated_)
        return;
    activated_ = true;
    if (HiddenStore().Password.empty())
        ChangeMainPassword(HiddenStore(), newPassword_, passwordMessages_);
    ActivateFromCommandLine(*this, arguments);
}

void TWizard::OperationsListBoxClick() {
    if (window_.OperationsListRow() < 0)
        return;
    std::this_thread::sleep_for(kListClickPause);
    OpenPathOfRow(window_.OperationsListRow());
}

bool TWizard::OpenPathOfRow(int row) {
    if (RunningThread() != nullptr)
        return false;
    DropItemsWhenNoRunReads();
    std::unique_ptr<TOperationPath> path;
    switch (row) {
        case 0:
            path = std::make_unique<TEncryptPath>(*this);
            break;
        case 1:
            path = std::make_unique<TDecryptPath>(*this);
            break;
        case 2:
            path = std::make_unique<TShredPath>(*this);
            break;
        case 3:
            path = THidePath::Open(*this);
            break;
        case 4:
            path = TShowPath::Open(*this);
            break;
        default:
            break;
    }
    if (path == nullptr)
        return false;
    SetCurrentPath(std::move(path));
    return true;
}

void TWizard::NextButtonClick() {
    TOperationPath* path = CurrentPath();
    // One run at a time: two runs would work on the same files.
    if (path == nullptr || runInProgress_)
        return;
    DropItemsWhenNoRunReads();
    // Items handed over by the command line count as a selection: they join the run, and
    // demanding one more checked item could only add items the user did not ask for.
    if (window_.CurrentPage() == TWizardPage::ChooseFiles && !tree_.HasCheckedNode() &&
        !HasPreselectedItems()) {
        window_.ShowMessageBox(TMessageKind::Information, LookupMessage(L"Please_select_files"));
        return;
    }
    TPathCall call;
    path->Next();
}

void TWizard::BackButtonClick() {
    if (TOperationPath* path = CurrentPath()) {
        TPathCall call;
        path->Back();
    }
}

void TWizard::ExitButtonClick() {
    if (TOperationPath* path = CurrentPath()) {
        TPathCall call;
        path->End(false);
    } else {
        window_.Terminate();
    }
}

void TWizard::FinishButtonClick() {
    window_.ShowPage(TWizardPage::Main);
    window_.SetButtonVisible(TWizardButton::Exit, true);
}

void TWizard::ChangeMainPassLabelClick() {
    ChangeMainPassword(HiddenStore(), newPassword_, passwordMessages_);
}

bool TWizard::CheckMainPassword() {
    return dovrel::CheckMainPassword(HiddenStore(), mainPassword_, passwordMessages_);
}

void TWizard::ShowPathButtons() {
    window_.SetButtonVisible(TWizardButton::Next, true);
    window_.SetButtonVisible(TWizardButton::Back, true);
    window_.SetButtonEnabled(TWizardButton::Next, !runInProgress_);
    window_.SetButtonCaption(TWizardButton::Exit, LookupMessage(L"Cancel"));
}

bool TWizard::StartWizardRun(std::unique_ptr<TOperation> operation, unsigned flags) {
    if (runInProgress_)
        return false;
    DropItemsWhenNoRunReads();
    auto snapshot = tree_.TakeSnapshot();
    if (!StartRun(std::move(operation), flags, *this, snapshot.get()))
        return false;
    // The run that used the previous snapshot has ended, or StartRun would have refused.
    snapshot_ = std::move(snapshot);
    const TOperationPath* path = CurrentPath();
    runPathSerial_ = path != nullptr ? path->Serial() : 0;
    runInProgress_ = true;
    window_.SetButtonEnabled(TWizardButton::Next, false);
    window_.ShowProgress();
    return true;
}

void TWizard::ShowFinishPage(const TOperation& operation, std::int64_t count) {
    window_.ShowPage(TWizardPage::Finish);
    window_.SetLabel(TWizardLabel::FinishInfo, operation.GetCompletionText());
    window_.SetLabel(TWizardLabel::Files, SummarySentence(operation, count));
    window_.SetButtonVisible(TWizardButton::Exit, false);
    window_.FocusWindow();
}

void TWizard::NoteStartedFromCommandLine() {
    startedFromCommandLine_ = true;
    SetStartedFromCommandLine();
}

void TWizard::DropPreselectedItems() {
    dropItems_ = true;
    DropItemsWhenNoRunReads();
}

bool TWizard::HasPreselectedItems() const {
    return !dropItems_ && !PreselectedItems().empty();
}

// A run reads the list while it prepares its items, on its worker.
void TWizard::DropItemsWhenNoRunReads() {
    if (dropItems_ && RunningThread() == nullptr) {
        PreselectedItems().clear();
        dropItems_ = false;
    }
}

void TWizard::Invoke(const std::function<void()>& call) {
    window_.Invoke(call);
}

void TWizard::Finish(const TOperation& operation, std::int64_t itemCount) {
    {
        TPathCall call;
        // The user may have left the path during the run.
        TOperationPath* path = CurrentPath();
        if (path != nullptr && path->Serial() == runPathSerial_)
            path->End(true);
    }
    if (startedFromCommandLine_) {
        window_.Terminate();
        return;
    }
    if (CurrentPath() == nullptr)
        ShowFinishPage(operation, itemCount);
}

// Ending a run silently would let the user believe the work was done.
void TWizard::RunFailed(const std::wstring& item, const std::wstring& message) {
    std::wstring text = message;
    if (!item.empty() && message.find(item) == std::wstring::npos)
        text = item + L"\r\n\r\n" + message;
    window_.ShowMessageBox(TMessageKind::Error, text);
}

void TWizard::CloseProgress() {
    window_.CloseProgress();
    runInProgress_ = false;
    window_.SetButtonEnabled(TWizardButton::Next, true);
}

}  // namespace dovrel
