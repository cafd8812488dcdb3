#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <future>
#include <mutex>

#include "app/AppFolders.h"
#include "app/CmdLineActivate.h"
#include "crypto/CryptoAlgorithms.h"
#include "engine/FilesIterationThread.h"
#include "engine/Operations.h"
#include "engine/UserInterface.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

void WriteText(const std::wstring& path, const std::string& text) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(text.data(), text.size());
}

std::string ReadText(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    std::string text(static_cast<std::size_t>(file.Size()), '\0');
    file.ReadBuffer(text.data(), text.size());
    return text;
}

// Every file under `folder` in the order the file system lists them, depth first: what a
// run must find, whatever order this file system happens to use.
void ListFiles(const std::wstring& folder, std::vector<std::wstring>& out) {
    EnumerateFolder(folder, [&](const TFindEntry& entry) {
        if (entry.data.IsFolder())
            ListFiles(folder + entry.name + kPathDelim, out);
        else
            out.push_back(folder + entry.name);
        return true;
    });
}

// Runs what the worker hands over at once, on the worker, as the command line does.
class TTestHost final : public TRunHost {
public:
    void Invoke(const std::function<void()>& call) override {
        std::lock_guard lock(mutex);
        if (cancelInInvoke.exchange(false))
            CancelRun();
        call();
    }
    void Finish(const TOperation& operation, std::int64_t itemCount) override {
        summary = SummarySentence(operation, itemCount);
        atFinish = RunningThread()->Progress();
        finished = true;
    }
    void RunFailed(const std::wstring& item, const std::wstring& message) override {
        failures.push_back(item + L" | " + message);
    }
    void CloseProgress() override { ++closes; }

    std::mutex mutex;
    std::atomic<bool> cancelInInvoke{false};  // Cancel pressed as the worker turns to the UI
    bool finished = false;
    std::wstring summary;
    TRunProgress atFinish;
    std::vector<std::wstring> failures;
    std::atomic<int> closes{0};
};

class TScriptedUi final : public TUserInterface {
public:
    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
    bool AskPassword(const std::wstring& fileName, std::wstring& password) override {
        prompts.push_back(fileName);
        if (answers.empty())
            return false;
        password = answers.front();
        answers.erase(answers.begin());
        return true;
    }

    std::vector<std::wstring> messages, prompts, answers;
};

// An operation whose per-item work is the test's; it records what it was given.
class TScriptedOperation final : public TOperation {
public:
    using TBody = std::function<void(TScriptedOperation&, const std::wstring&)>;
    explicit TScriptedOperation(std::vector<std::wstring>& seen, TBody body = {})
        : TOperation(L"", L""), seen_(seen), body_(std::move(body)) {}

    void ProcessItem(const std::wstring& path) override {
        seen_.push_back(path);
        if (body_)
            body_(*this, path);
    }
    std::wstring GetCompletionText() const override { return L"done"; }
    std::wstring GetDoneWord() const override { return L"seen"; }

private:
    std::vector<std::wstring>& seen_;
    TBody body_;
};

class TListedSelection final : public TSelectionWalk {
public:
    void CollectSelection(TSelectionSink& sink, unsigned flags) override {
        seenFlags = flags;
        for (const auto& item : items)
            sink.AppendItem(item);
        for (const auto& folder : folders)
            sink.ScanFolder(folder);
    }
    std::vector<std::wstring> items, folders;
    unsigned seenFlags = 0;
};

class FilesIterationThread : public testing::Test {
protected:
    void SetUp() override {
        InitAppFolders(temp.Path(L"data"));
        BuildCipherCatalogue();
        SetUserInterface(&ui);
        PreselectedItems().clear();
    }
    void TearDown() override {
        WaitForRunEnd();
        PreselectedItems().clear();
        SetUserInterface(nullptr);
        ReleaseCipherCatalogue();
    }

    std::vector<std::wstring> Run(unsigned flags, TScriptedOperation::TBody body = {},
                                  TSelectionWalk* selection = nullptr) {
        std::vector<std::wstring> seen;
        EXPECT_TRUE(StartRun(std::make_unique<TScriptedOperation>(seen, std::move(body)), flags,
                             host, selection));
        WaitForRunEnd();
        return seen;
    }

    std::wstring Folder(const std::wstring& name) {
        CreateFolderChain(temp.Path(name));
        return temp.Path(name);
    }

    test::TempFolder temp;
    TTestHost host;
    TScriptedUi ui;
};

TEST_F(FilesIterationThread, PreselectedFilesComeFirstThenTheFoldersFromTheLast) {
    const std::wstring a = temp.Path(L"a.txt"), b = temp.Path(L"b.txt");
    const std::wstring docs = Folder(L"Docs"), pics = Folder(L"Pics");
    Folder(L"Docs" + std::wstring(1, kPathDelim) + L"Sub");
    WriteText(a, "12");
    WriteText(b, "345");
    WriteText(docs + kPathDelim + L"x.txt", "x");
    WriteText(docs + kPathDelim + L".hidden", "hh");
    WriteText(docs + kPathDelim + L"Sub" + kPathDelim + L"y.txt", "yyyy");
    WriteText(pics + kPathDelim + L"p.jpg", "ppppp");
    const std::wstring missing = temp.Path(L"missing.txt");
    PreselectedItems() = {a, docs, b, pics, missing};

    std::vector<std::wstring> expected = {a, b, missing};
    ListFiles(pics + kPathDelim, expected);
    ListFiles(docs + kPathDelim, expected);
    ASSERT_EQ(expected.size(), 7u);

    EXPECT_EQ(Run(ExpandFolders), expected);
    EXPECT_TRUE(host.finished);
    EXPECT_EQ(host.atFinish.ItemCount, 7);
    EXPECT_EQ(host.atFinish.TotalBytes, 1 + 2 + 3 + 1 + 2 + 4 + 5) << "a missing file counts 0";
    EXPECT_EQ(host.closes, 1);
}

TEST_F(FilesIterationThread, WholeItemsKeepsFoldersAsItems) {
    const std::wstring a = temp.Path(L"a.txt"), docs = Folder(L"Docs");
    WriteText(a, "1");
    WriteText(docs + kPathDelim + L"x.txt", "x");
    const std::vector<std::wstring> whole = {a, docs};
    struct Case {
        unsigned flags;
        std::vector<std::wstring> items;
    } cases[] = {
        {WholeItems, whole},
        {ExpandFolders | WholeItems, whole},
        {ExpandFolders, {a, docs + kPathDelim + L"x.txt"}},
    };
    for (const Case& c : cases) {
        PreselectedItems() = whole;
        EXPECT_EQ(Run(c.flags), c.items) << "flags " << c.flags;
    }
}

TEST_F(FilesIterationThread, SelectionFollowsThePreselectedItems) {
    const std::wstring a = temp.Path(L"a.txt"), tree = Folder(L"Tree");
    WriteText(tree + kPathDelim + L"t.txt", "t");
    PreselectedItems() = {a};
    TListedSelection selection;
    selection.items = {L"C:"};
    selection.folders = {tree};  // without a trailing separator, as the tree may hand it
    EXPECT_EQ(Run(ExpandFolders, {}, &selection),
              (std::vector<std::wstring>{a, L"C:", tree + kPathDelim + L"t.txt"}));
    EXPECT_EQ(selection.seenFlags, ExpandFolders);
}

TEST_F(FilesIterationThread, AnEmptyFolderFinishesAtOnceWithTheSentenceForNone) {
    PreselectedItems() = {Folder(L"Empty")};
    auto encrypt = std::make_unique<TEncrypt>(L"", L"");
    encrypt->Algorithm = CipherCatalogue()[0].get();
    ASSERT_TRUE(StartRun(std::move(encrypt), ExpandFolders, host));
    WaitForRunEnd();
    EXPECT_TRUE(host.finished);
    EXPECT_EQ(host.summary, L"0 file was encrypted");
}

TEST_F(FilesIterationThread, CancelWhileCountingProcessesNothing) {
    const std::wstring docs = Folder(L"Docs");
    WriteText(docs + kPathDelim + L"x.txt", "x");
    PreselectedItems() = {temp.Path(L"a.txt")};

    // The walk waits until the user has pressed Cancel.
    struct TBlockingSelection final : TSelectionWalk {
        std::promise<void> entered, cancelled;
        std::wstring folder;
        void CollectSelection(TSelectionSink& sink, unsigned) override {
            entered.set_value();
            cancelled.get_future().wait();
            sink.ScanFolder(folder);
        }
    } selection;
    selection.folder = docs;

    std::vector<std::wstring> seen;
    ASSERT_TRUE(
        StartRun(std::make_unique<TScriptedOperation>(seen), ExpandFolders, host, &selection));
    selection.entered.get_future().wait();
    CancelRun();
    EXPECT_EQ(host.closes, 1) << "Cancel closes the progress at once";
    selection.cancelled.set_value();
    WaitForRunEnd();
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(host.finished);
    EXPECT_EQ(host.closes, 1) << "closed once only";
}

// A counting run builds and counts the whole list, from the folder walk's sizes and from
// the attribute data of a named file, and processes nothing.
TEST_F(FilesIterationThread, ACountingRunCountsEverythingAndProcessesNothing) {
    const std::wstring tree = Folder(L"Tree"), named = temp.Path(L"named.txt");
    CreateFolderChain(tree + kPathDelim + L"sub");
    WriteText(tree + kPathDelim + L"a.txt", "12345");
    WriteText(tree + kPathDelim + L"sub" + kPathDelim + L"b.txt", std::string(7000, 'b'));
    WriteText(named, "xyz");
    PreselectedItems() = {named, tree};
    std::vector<std::wstring> seen = Run(ExpandFolders | CountOnly);
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(host.finished);
    EXPECT_EQ(host.atFinish.ItemCount, 3);
    EXPECT_EQ(host.atFinish.TotalBytes, 1 + 3 + 5 + 7000);
    EXPECT_EQ(ReadText(named), "xyz");
}

// A watcher's timed wait runs out while the run goes on and returns as the run ends.
TEST_F(FilesIterationThread, TimedWaitEndsWithTheRun) {
    EXPECT_TRUE(WaitForRunEndFor(std::chrono::milliseconds(0))) << "no run at all";
    PreselectedItems() = {temp.Path(L"a.txt")};
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::vector<std::wstring> seen;
    ASSERT_TRUE(StartRun(
        std::make_unique<TScriptedOperation>(
            seen, [released](TScriptedOperation&, const std::wstring&) { released.wait(); }),
        0, host));
    EXPECT_FALSE(WaitForRunEndFor(std::chrono::milliseconds(20)));
    release.set_value();
    EXPECT_TRUE(WaitForRunEndFor(std::chrono::hours(1)));
    EXPECT_TRUE(host.finished);
}

TEST_F(FilesIterationThread, CancelInsideALargeFileStopsItAndNoLaterItemStarts) {
    const std::wstring big = temp.Path(L"big.bin"), small = temp.Path(L"small.txt");
    WriteText(big, std::string(4 << 20, 'b'));
    WriteText(small, "s");
    PreselectedItems() = {big, small};

    // Encrypts with Cancel pressed after the first chunk of each file.
    std::atomic<int> chunks{0};
    struct TCounted final : TOperation {
        explicit TCounted(std::atomic<int>& c) : TOperation(L"", L""), chunks(c) {
            inner.Algorithm = CipherCatalogue()[0].get();
            inner.Password = "pw";
            inner.DeleteSource = true;
        }
        void ProcessItem(const std::wstring& path) override {
            inner.Events = Events;
            inner.Events.OnProgress = [this](auto done, auto total, auto delta, double s) {
                Events.OnProgress(done, total, delta, s);
                ++chunks;
                CancelRun();
            };
            inner.ProcessItem(path);
        }
        std::wstring GetCompletionText() const override { return L""; }
        std::wstring GetDoneWord() const override { return L""; }
        TEncrypt inner{L"", L""};
        std::atomic<int>& chunks;
    };
    ASSERT_TRUE(StartRun(std::make_unique<TCounted>(chunks), ExpandFolders, host));
    WaitForRunEnd();

    EXPECT_EQ(chunks, 1) << "the procedure stops within one chunk";
    EXPECT_FALSE(host.finished);
    std::vector<std::wstring> left;
    ListFiles(temp.Folder(), left);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::wstring>{big, small}))
        << "no output, no temporary file, both sources kept";
    EXPECT_EQ(ReadText(big).size(), 4u << 20);
}

TEST_F(FilesIterationThread, ACancelIsHonouredUntilTheLastItemIsDone) {
    const std::wstring a = temp.Path(L"a"), b = temp.Path(L"b");
    struct Case {
        std::wstring cancelIn;  // empty: after the last item, before the finish runs
        std::size_t processed;
        bool finished;
    } cases[] = {{a, 1, false}, {b, 2, false}, {L"", 2, true}};
    for (const Case& c : cases) {
        host.finished = false;
        host.cancelInInvoke = c.cancelIn.empty();
        PreselectedItems() = {a, b};
        const auto seen = Run(ExpandFolders, [&](TScriptedOperation&, const std::wstring& path) {
            if (path == c.cancelIn)
                CancelRun();
        });
        EXPECT_EQ(seen.size(), c.processed) << "cancel in " << ToUtf8(c.cancelIn);
        EXPECT_EQ(host.finished, c.finished) << "cancel in " << ToUtf8(c.cancelIn);
    }
}

TEST_F(FilesIterationThread, AWrongPasswordIsAskedOnceAndKeptForTheRest) {
    const std::wstring names[] = {L"a.txt", L"b.txt", L"c.txt"};
    TEncrypt encrypt(L"", L"");
    encrypt.Algorithm = CipherCatalogue()[3].get();
    encrypt.Events = {[] { return false; }, [](auto...) {}, [](auto&, auto&) { return false; }};
    for (const auto& name : names) {
        WriteText(temp.Path(name), "content of " + ToUtf8(name));
        encrypt.Password = name == names[0] ? "first" : "second";
        encrypt.ProcessItem(temp.Path(name));
        DeleteFileAt(temp.Path(name));
        PreselectedItems().push_back(temp.Path(name) + L".enc");
    }
    ui.answers = {L"second"};

    auto decrypt = std::make_unique<TDecrypt>(L"", L"");
    decrypt->Password = "first";
    ASSERT_TRUE(StartRun(std::move(decrypt), ExpandFolders, host));
    WaitForRunEnd();

    EXPECT_EQ(ui.prompts, std::vector<std::wstring>{L"b.txt.enc"}) << "one prompt, named by b";
    EXPECT_EQ(host.summary, L"3 files were decrypted");
    for (const auto& name : names)
        EXPECT_EQ(ReadText(temp.Path(name)), "content of " + ToUtf8(name));
}

TEST_F(FilesIterationThread, AnErrorEndsTheRunWithoutAFinish) {
    const std::wstring shortFile = temp.Path(L"short.enc"), later = temp.Path(L"later.txt");
    WriteText(shortFile, "BF");
    PreselectedItems() = {shortFile, later};
    ASSERT_TRUE(StartRun(std::make_unique<TDecrypt>(L"", L""), ExpandFolders, host));
    WaitForRunEnd();
    EXPECT_EQ(host.failures, std::vector<std::wstring>{shortFile + L" | Stream read error"});
    EXPECT_FALSE(host.finished);
    EXPECT_EQ(host.closes, 1);
}

TEST_F(FilesIterationThread, EstimateUsesTheLastChunkAlone) {
    WriteText(temp.Path(L"nine"), "123456789");
    PreselectedItems() = {temp.Path(L"nine")};  // TotalBytes is 10
    struct Report {
        std::int64_t delta;
        double seconds;
        double remaining;  // seconds
    } reports[] = {
        {4, 2.0, 3},        // 6 left at 2/s
        {1, 0.5, 2},        // 5 left at 2/s: 2.5, ties to even
        {0, 0.0, 2},        // no time measured: the previous estimate stands
        {0, 1.0, 5000000},  // no bytes: the rate is taken as 0.000001
        {1, 0.25, 1},       // 4 left at 4/s, from this chunk alone
    };
    std::vector<TRunProgress> seen;
    Run(ExpandFolders, [&](TScriptedOperation& op, const std::wstring&) {
        for (const Report& r : reports) {
            op.Events.OnProgress(7, 9, r.delta, r.seconds);
            seen.push_back(ReadRunProgress());
        }
    });
    ASSERT_EQ(seen.size(), std::size(reports));
    std::int64_t done = 0;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        done += reports[i].delta;
        EXPECT_EQ(seen[i].BytesDone, done);
        EXPECT_DOUBLE_EQ(seen[i].Remaining * 86400, reports[i].remaining) << "report " << i;
        EXPECT_EQ(seen[i].ItemDone, 7);
        EXPECT_EQ(seen[i].ItemTotal, 9);
        EXPECT_EQ(seen[i].CurrentItem, temp.Path(L"nine"));
        EXPECT_EQ(seen[i].CurrentIndex, 1);
        EXPECT_GE(seen[i].Elapsed, 0);
    }
}

TEST_F(FilesIterationThread, WithoutARunTheReadersGiveTheirDefaults) {
    const TRunProgress p = ReadRunProgress();
    EXPECT_EQ(p.TotalBytes, 1);
    EXPECT_EQ(p.ItemTotal, 1);
    EXPECT_EQ(p.BytesDone + p.ItemDone + p.ItemCount + p.CurrentIndex, 0);
    EXPECT_EQ(p.Elapsed + p.Remaining, 0);
    EXPECT_TRUE(p.CurrentItem.empty());
    EXPECT_EQ(RunningThread(), nullptr);
}

TEST_F(FilesIterationThread, ASecondStartIsRefusedWhileARunExists) {
    PreselectedItems() = {temp.Path(L"a")};
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::vector<std::wstring> first, second;
    ASSERT_TRUE(StartRun(
        std::make_unique<TScriptedOperation>(first, [released](auto&, auto&) { released.wait(); }),
        ExpandFolders, host));
    EXPECT_FALSE(StartRun(std::make_unique<TScriptedOperation>(second), ExpandFolders, host));
    release.set_value();
    WaitForRunEnd();
    EXPECT_EQ(first.size(), 1u);
    EXPECT_TRUE(second.empty()) << "the refused run never ran";
    EXPECT_EQ(Run(ExpandFolders).size(), 1u) << "a run may start once the last has ended";
}

}  // namespace
}  // namespace dovrel
