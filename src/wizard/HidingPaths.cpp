#include <string>
#include <vector>

#include "app/AppFolders.h"
#include "app/CmdLineActivate.h"
#include "app/LangManager.h"
#include "engine/FilesIterationThread.h"
#include "engine/Operations.h"
#include "hiding/HiddenConfig.h"
#include "wizard/MainWindow.h"
#include "wizard/OperationPathes.h"
#include "wizard/SelectionTree.h"
#include "wizard/Wizard.h"

namespace dovrel {

namespace {

// Hiding takes checked folders and drives whole; files are items either way.
constexpr unsigned kHideFlags = ExpandFolders | WholeItems;

// The store's paths in store order: row i of the show list is entry i.
std::vector<std::wstring> HiddenPaths() {
    std::vector<std::wstring> paths;
    const THiddenConfig& store = HiddenStore();
    for (int i = 0; i < store.Count(); ++i)
        paths.push_back(store.Item(i).FilePath);
    return paths;
}

class THideChooseFiles final : public TOperationStep {
public:
    using TOperationStep::TOperationStep;

    void Next() override { wizard_.StartWizardRun(std::make_unique<THide>(L"", L""), kHideFlags); }
    void Back() override {}
};

// Shows the checked rows on the window's thread, without a run, then the finish page.
class TShowListOfHidden final : public TOperationStep {
public:
    TShowListOfHidden(TWizard& wizard, TOperationPath& path)
        : TOperationStep(wizard), path_(path) {}

    void Next() override {
        TMainWindow& window = wizard_.Window();
        TShow show(L"", L"");
        std::int64_t shown = 0;
        try {
            // From the last row: removing an entry leaves the indices of the rows before it
            // as they were.
            for (int row = window.HiddenItemCount() - 1; row >= 0; --row) {
                if (!window.HiddenItemChecked(row))
                    continue;
                show.ItemIndex = row;
                show.ProcessItem(HiddenStore().Item(row).FilePath);
                ++shown;
            }
        } catch (...) {
            // The rows already shown left the store: the list must not offer them again
            // under indices that now name other entries.
            window.SetHiddenItems(HiddenPaths());
            throw;
        }
        path_.End(true);
        wizard_.ShowFinishPage(show, shown);
    }
    void Back() override {}

private:
    TOperationPath& path_;
};

}  // namespace

std::unique_ptr<THidePath> THidePath::Open(TWizard& wizard) {
    if (!wizard.CheckMainPassword())
        return nullptr;
    return std::unique_ptr<THidePath>(new THidePath(wizard));
}

THidePath::THidePath(TWizard& wizard) : TOperationPath(wizard) {
    steps_.push_back(std::make_unique<THideChooseFiles>(wizard));
    TMainWindow& window = wizard.Window();
    wizard.ShowPathButtons();
    window.SetButtonCaption(TWizardButton::Next, LookupMessage(L"Hide"));
    window.SetStepText(LookupMessage(L"Hiding_files_step1"));
    wizard.Tree().BuildDrivesTree();
    window.SetPathPicture(TPathPicture::Hide);
    window.ShowPage(TWizardPage::ChooseFiles);
    window.SetChangeMainPassLinkVisible(true);
    window.SetLabel(TWizardLabel::ChooseFilesHeader, LookupMessage(L"Choose_file_to_hide"));
    window.SetLabel(TWizardLabel::ChooseFilesDesc, LookupMessage(L"Choose_file_to_hide_full"));
}

bool THidePath::ActivateOnCmdLine(TWizard& wizard) {
    auto owned = Open(wizard);
    if (owned == nullptr)
        return false;
    THidePath& path = *owned;
    SetCurrentPath(std::move(owned));
    path.SetOpenedFromCommandLine();
    LoadPreselectedItems(GetDataFolder());
    wizard.StartWizardRun(std::make_unique<THide>(L"", L""), kHideFlags);
    return true;
}

void THidePath::OnEnd() {
    wizard_.Window().SetChangeMainPassLinkVisible(false);
}

std::unique_ptr<TShowPath> TShowPath::Open(TWizard& wizard) {
    if (!wizard.CheckMainPassword())
        return nullptr;
    return std::unique_ptr<TShowPath>(new TShowPath(wizard));
}

TShowPath::TShowPath(TWizard& wizard) : TOperationPath(wizard) {
    steps_.push_back(std::make_unique<TShowListOfHidden>(wizard, *this));
    TMainWindow& window = wizard.Window();
    wizard.ShowPathButtons();
    window.SetButtonCaption(TWizardButton::Next, LookupMessage(L"Show"));
    window.SetStepText(LookupMessage(L"Showing_files_step1"));
    window.SetPathPicture(TPathPicture::Show);
    window.ShowPage(TWizardPage::ShowList);
    window.SetHiddenItems(HiddenPaths());
}

}  // namespace dovrel
