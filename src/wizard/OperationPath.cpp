#include "wizard/OperationPath.h"

#include <utility>

#include "app/LangManager.h"
#include "wizard/MainWindow.h"
#include "wizard/Wizard.h"

namespace dovrel {

namespace {

// All of this lives on the window's thread.
std::unique_ptr<TOperationPath> current;
std::vector<std::unique_ptr<TOperationPath>> retiring;
int callDepth = 0;
std::uint64_t lastSerial = 0;

void Retire(std::unique_ptr<TOperationPath> path) {
    if (path != nullptr && callDepth > 0)
        retiring.push_back(std::move(path));
}

}  // namespace

TOperationPath::TOperationPath(TWizard& wizard) : wizard_(wizard), serial_(++lastSerial) {}

void TOperationPath::Next() {
    const auto count = static_cast<std::int32_t>(steps_.size());
    if (currentStep_ < count)
        steps_[currentStep_]->Next();
    if (currentStep_ < count - 1)
        ++currentStep_;
}

void TOperationPath::Back() {
    if (currentStep_ >= 0 && currentStep_ < static_cast<std::int32_t>(steps_.size()))
        steps_[currentStep_]->Back();
    if (currentStep_ > 0)
        --currentStep_;
    else
        End(false);
}

void TOperationPath::End(bool runCompleted) {
    TMainWindow& window = wizard_.Window();
    window.SetButtonVisible(TWizardButton::Back, false);
    window.SetButtonVisible(TWizardButton::Next, false);
    window.SetButtonCaption(TWizardButton::Next, LookupMessage(L"Next_"));
    window.SetButtonCaption(TWizardButton::Exit, LookupMessage(L"Exit"));
    window.ShowPage(TWizardPage::Main);
    window.SetStepText(L"");
    OnEnd();
    if (fromCommandLine_ && !runCompleted)
        wizard_.DropPreselectedItems();
    if (CurrentPath() == this)
        ReleaseCurrentPath();
}

TOperationPath* CurrentPath() {
    return current.get();
}

void SetCurrentPath(std::unique_ptr<TOperationPath> path) {
    Retire(std::exchange(current, std::move(path)));
}

void ReleaseCurrentPath() {
    Retire(std::move(current));
}

TPathCall::TPathCall() noexcept {
    ++callDepth;
}

TPathCall::~TPathCall() {
    if (--callDepth == 0)
        retiring.clear();
}

}  // namespace dovrel
