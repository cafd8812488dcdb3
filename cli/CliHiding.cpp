#include "CliHiding.h"

#include <algorithm>
#include <cwctype>
#include <memory>

#include "CliRun.h"
#include "MainPassPrompt.h"
#include "Terminal.h"
#include "engine/FilesIterationThread.h"
#include "engine/Operations.h"
#include "hiding/HiddenConfig.h"
#include "hiding/HideShowRoutines.h"
#include "hiding/HidingGuard.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace dovrel::cli {

namespace {

// Loads the store and saves it however the command ends: items hidden before an error
// must stay recorded, or nothing could show them again.
class TStoreSession {
public:
    TStoreSession() { CreateHiddenStore(); }
    ~TStoreSession() {
        try {
            FreeHiddenStore();
        } catch (const Error& e) {
            WriteErr(L"dovrel-cli: " + e.Message() + L"\n");
        }
    }
    TStoreSession(const TStoreSession&) = delete;
    TStoreSession& operator=(const TStoreSession&) = delete;
};

// The wizard's first activation sets a main password when none is set; the command line
// does the same, then it asks for it.
void RequireMainPassword(const TCliOptions& options) {
    std::optional<std::wstring> fromFile;
    if (!options.mainPasswordFile.empty())
        fromFile = ReadMainPasswordFile(options.mainPasswordFile);
    else if (!StdinIsTerminal())
        throw TUsageError(L"no main password: give --main-password-file or run it at a terminal");
    TMainPassPrompt prompt(fromFile);
    THiddenConfig& store = HiddenStore();
    if (store.Password.empty()) {
        if (!ChangeMainPassword(store, prompt, prompt))
            throw Error(L"no main password was set");
        return;
    }
    if (!CheckMainPassword(store, prompt, prompt))
        throw Error(L"the main password was not given");
}

// "e:" and "e:/" as typed in a shell name drives too.
std::wstring TypedDriveText(std::wstring path) {
    if (!path.empty())
        path[0] = static_cast<wchar_t>(std::towupper(path[0]));
    if (path.size() == 3 && path[2] == L'/')
        path[2] = L'\\';
    return path;
}

// The run tells drives, folders and files apart by the text alone, and the store keeps the
// text to show the item later: so every path becomes absolute, folders end in "\" and
// drive letters are capitals.
std::wstring HideItemText(const std::wstring& path) {
    if (const std::wstring drive = TypedDriveText(path); IsDrivePath(drive))
        return drive.substr(0, 2) + L"\\";
    std::wstring full = FullPathName(path);
    const auto data = GetAttributeData(full);
    if (!data)
        throw Error(L"\"" + path + L"\" does not exist");
    if (data->IsFolder() && full.back() != L'\\')
        full += L'\\';
    return full;
}

int Hide(const TCliOptions& options) {
    std::vector<std::wstring> items;
    for (const std::wstring& path : options.paths)
        items.push_back(HideItemText(path));
    TRunFrontEnd front(options);
    return RunOperation(std::make_unique<THide>(L"", L""), items, front.status, front.ui,
                        ExpandFolders | WholeItems);
}

std::vector<int> ChosenIndices(const TCliOptions& options, int count) {
    std::vector<int> chosen;
    if (options.all) {
        for (int i = 0; i < count; ++i)
            chosen.push_back(i);
        return chosen;
    }
    for (const std::wstring& text : options.paths) {
        const bool digits = !text.empty() && text.size() <= 9 &&
                            text.find_first_not_of(L"0123456789") == std::wstring::npos;
        if (!digits || std::stoi(text) >= count)
            throw TUsageError(L"no hidden item " + text + L"; see dovrel-cli hidden");
        chosen.push_back(std::stoi(text));
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    return chosen;
}

// As the show page does: from the last chosen entry to the first, so that the indices
// still to come stay valid while records are dropped.
int Show(const TCliOptions& options) {
    THiddenConfig& store = HiddenStore();
    const std::vector<int> chosen = ChosenIndices(options, store.Count());
    TShow show(L"", L"");
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
        show.ItemIndex = *it;
        show.ProcessItem(store.Item(*it).FilePath);
    }
    WriteOut(SummarySentence(show, static_cast<std::int64_t>(chosen.size())) + L"\n");
    return kExitOk;
}

const wchar_t* KindText(THiddenItemType kind) {
    switch (kind) {
        case hitFolder:
            return L"folder";
        case hitDrive:
            return L"drive";
        default:
            return L"file";
    }
}

int ListHidden() {
    const THiddenConfig& store = HiddenStore();
    for (int i = 0; i < store.Count(); ++i)
        WriteOut(std::to_wstring(i) + L"\t" + KindText(store.Item(i).ItemType) + L"\t" +
                 store.Item(i).FilePath + L"\n");
    return kExitOk;
}

}  // namespace

int RunHidingCommand(const TCliOptions& options) {
    // Elsewhere no file manager reads the attributes or the drive policy.
#ifdef _WIN32
    constexpr bool kHidingWorks = true;
#else
    constexpr bool kHidingWorks = false;
#endif
    if (!kHidingWorks)
        throw TUsageError(options.command + L" works on Windows only");
    TStoreSession session;
    RequireMainPassword(options);
    if (options.command == L"hide")
        return Hide(options);
    if (options.command == L"show")
        return Show(options);
    return ListHidden();
}

}  // namespace dovrel::cli
