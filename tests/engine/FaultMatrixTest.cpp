// Every file operation of one item fails in turn, and every cancel check says yes in turn:
// whatever happens, the user's files end in an allowed state, which is checked on disk.
//   done      the output is whole and the source handled as asked
//   refused   an error was raised (or the run was cancelled); the source is as it was and
//             no output stands under the target's name
//   kept      an error was raised after the output was whole: the source is as it was
// Never a temporary file left, never a partial output under the target's name. Hiding's
// own failure (a store that cannot be saved) is in HideShowRoutinesTest.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string_view>

#include "app/AppFolders.h"
#include "crypto/CryptoAlgorithms.h"
#include "engine/Operations.h"
#include "engine/UserInterface.h"
#include "platform/Error.h"
#include "platform/FaultInjection.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "shred/ShredAlgorithms.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

using Bytes = std::string;

// Access denied on Windows, an input/output error elsewhere.
constexpr unsigned kInjectedError = 5;
constexpr std::size_t kRijndael = 14;
constexpr std::size_t kAllAtOnce = 18;

Bytes ReadAll(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    Bytes bytes(static_cast<std::size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void WriteAll(const std::wstring& path, const Bytes& bytes) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(bytes.data(), bytes.size());
}

std::vector<std::wstring> Names(const std::wstring& folder) {
    std::vector<std::wstring> names;
    EnumerateFolder(folder, [&](const TFindEntry& e) {
        names.push_back(e.name);
        return true;
    });
    std::sort(names.begin(), names.end());
    return names;
}

class TQuietUi final : public TUserInterface {
public:
    void ShowMessage(const std::wstring&) override {}
    bool AskPassword(const std::wstring&, std::wstring&) override { return false; }
};

// Fails the file operation numbered `failAt` (from 0) and records them all; -1 fails none.
class TFaultScope {
public:
    explicit TFaultScope(int failAt) {
        SetFaultPlan([this, failAt](TFileOperation operation, const std::wstring&) -> unsigned {
            operations.push_back(operation);
            return static_cast<int>(operations.size()) - 1 == failAt ? kInjectedError : 0;
        });
    }
    ~TFaultScope() { SetFaultPlan({}); }
    TFaultScope(const TFaultScope&) = delete;
    TFaultScope& operator=(const TFaultScope&) = delete;

    std::vector<TFileOperation> operations;
};

enum class TOutcome { Done, Refused, Kept };

const char* Name(TOutcome outcome) {
    switch (outcome) {
        case TOutcome::Done:
            return "done";
        case TOutcome::Refused:
            return "refused";
        default:
            return "kept";
    }
}

const char* Name(TFileOperation operation) {
    static const char* const names[] = {"open",  "create", "read",   "write",
                                        "flush", "rename", "delete", "set attributes"};
    return names[static_cast<int>(operation)];
}

// One kind of work on one file in `folder`: what it starts from, how it runs, and which of
// the outcomes the files on disk show afterwards (a failed expectation otherwise).
struct TScenario {
    const char* name;
    std::function<void()> prepare;
    // Runs the work; `cancelAt` > 0 cancels at that check.
    std::function<void(int cancelAt)> run;
    std::function<TOutcome()> judge;
};

class FaultMatrix : public testing::Test {
protected:
    void SetUp() override {
        InitAppFolders(temp.Path(L"data"));
        BuildCipherCatalogue();
        BuildShredCatalogue();
        SetUserInterface(&ui);
        CreateFolderChain(folder);
        CreateFolderChain(scratch);
        for (std::size_t i = 0; i < original.size(); ++i)
            original[i] = static_cast<char>(i * 131 + 7);
    }
    void TearDown() override {
        SetFaultPlan({});
        SetUserInterface(nullptr);
        ReleaseShredCatalogue();
        ReleaseCipherCatalogue();
    }

    std::wstring In(const std::wstring& name) const { return folder + name; }
    void Clear() {
        std::filesystem::remove_all(std::filesystem::path(folder));
        CreateFolderChain(folder);
    }

    TOperationEvents Events(int cancelAt, std::string rightPassword = "") {
        auto checks = std::make_shared<int>(0);
        return {[checks, cancelAt] { return cancelAt > 0 && ++*checks >= cancelAt; },
                [](auto...) {},
                [rightPassword](const std::wstring&, std::string& password) {
                    if (rightPassword.empty() || password == rightPassword)
                        return false;
                    password = rightPassword;
                    return true;
                }};
    }

    // Whether `enc` holds the whole original: decrypted by a copy elsewhere.
    bool WholeEncFile(const std::wstring& enc) {
        std::filesystem::remove_all(std::filesystem::path(scratch));
        CreateFolderChain(scratch);
        const std::wstring copy = scratch + L"copy.enc";
        WriteAll(copy, ReadAll(enc));
        TDecrypt decrypt{L"", L""};
        decrypt.Password = password;
        decrypt.Events = Events(0);
        decrypt.ProcessItem(copy);
        const std::wstring plain = scratch + L"a.txt";
        return GetAttributeData(plain) && ReadAll(plain) == original;
    }

    void Encrypt(std::size_t entry, int cancelAt) {
        TEncrypt encrypt{L"", L""};
        encrypt.Algorithm = CipherCatalogue()[entry].get();
        encrypt.Password = password;
        encrypt.DeleteSource = true;
        encrypt.Events = Events(cancelAt);
        encrypt.ProcessItem(In(L"a.txt"));
    }

    // Source a.txt, target a.txt.enc; `earlierPasses`: a whole ".enc" may stand after a
    // refusal, written by a pass that completed before it.
    TOutcome JudgeEncrypt(bool earlierPasses) {
        const bool source = GetAttributeData(In(L"a.txt")).has_value();
        const bool target = GetAttributeData(In(L"a.txt.enc")).has_value();
        if (source) {
            EXPECT_EQ(ReadAll(In(L"a.txt")), original) << "the source changed";
        }
        if (target) {
            EXPECT_TRUE(WholeEncFile(In(L"a.txt.enc")))
                << "a partial output under the target's name";
        }
        if (!source) {
            EXPECT_TRUE(target) << "the source went without its output";
            return TOutcome::Done;
        }
        return target && !earlierPasses ? TOutcome::Kept : TOutcome::Refused;
    }

    TOutcome JudgeDecrypt() {
        const bool source = GetAttributeData(In(L"a.txt.enc")).has_value();
        const bool target = GetAttributeData(In(L"a.txt")).has_value();
        if (source) {
            EXPECT_EQ(ReadAll(In(L"a.txt.enc")), encrypted) << "the source changed";
        }
        if (target) {
            EXPECT_EQ(ReadAll(In(L"a.txt")), original)
                << "a partial output under the target's name";
        }
        if (!source) {
            EXPECT_TRUE(target) << "the source went without its output";
            return TOutcome::Done;
        }
        return target ? TOutcome::Kept : TOutcome::Refused;
    }

    void PrepareEncrypted() {
        WriteAll(In(L"a.txt"), original);
        Encrypt(kRijndael, 0);
        encrypted = ReadAll(In(L"a.txt.enc"));
        ASSERT_FALSE(GetAttributeData(In(L"a.txt")));
    }

    void Decrypt(const std::string& typed, int cancelAt) {
        TDecrypt decrypt{L"", L""};
        decrypt.Password = typed;
        decrypt.DeleteSource = true;
        decrypt.Events = Events(cancelAt, password);
        decrypt.ProcessItem(In(L"a.txt.enc"));
    }

    std::vector<TScenario> Scenarios() {
        return {
            {"encrypt", [this] { WriteAll(In(L"a.txt"), original); },
             [this](int cancelAt) { Encrypt(kRijndael, cancelAt); },
             [this] { return JudgeEncrypt(false); }},
            {"encrypt, all at once", [this] { WriteAll(In(L"a.txt"), small); },
             [this](int cancelAt) { Encrypt(kAllAtOnce, cancelAt); },
             [this] {
                 // The small file stands in for the original here.
                 std::swap(original, small);
                 const TOutcome outcome = JudgeEncrypt(true);
                 std::swap(original, small);
                 return outcome;
             }},
            {"decrypt", [this] { PrepareEncrypted(); },
             [this](int cancelAt) { Decrypt(password, cancelAt); },
             [this] { return JudgeDecrypt(); }},
            {"decrypt, wrong password first", [this] { PrepareEncrypted(); },
             [this](int cancelAt) { Decrypt("wrong", cancelAt); },
             [this] { return JudgeDecrypt(); }},
            {"shred", [this] { WriteAll(In(L"a.txt"), original); },
             [this](int cancelAt) {
                 TShred shred{L"", L""};
                 shred.Scheme = ShredCatalogue()[1].get();
                 shred.Events = Events(cancelAt);
                 shred.ProcessItem(In(L"a.txt"));
             },
             [this] {
                 // Overwriting is the work itself: a refused shred leaves the file, partly
                 // overwritten, under its name.
                 return GetAttributeData(In(L"a.txt")) ? TOutcome::Refused : TOutcome::Done;
             }},
        };
    }

    // Runs `scenario` once; the outcome, after the checks every outcome shares.
    TOutcome RunOnce(const TScenario& scenario, int failAt, int cancelAt,
                     std::vector<TFileOperation>* operations = nullptr) {
        Clear();
        scenario.prepare();
        bool raised = false;
        {
            TFaultScope faults(failAt);
            try {
                scenario.run(cancelAt);
            } catch (const Error&) {
                raised = true;
            }
            if (operations != nullptr)
                *operations = faults.operations;
        }
        for (const std::wstring& name : Names(folder))
            EXPECT_EQ(name.find(L".tmp"), std::wstring::npos) << "a temporary file was left";
        const TOutcome outcome = scenario.judge();
        if (failAt >= 0 || cancelAt > 0) {
            EXPECT_TRUE(raised || outcome == TOutcome::Done || cancelAt > 0)
                << "a failure passed in silence";
        }
        if (outcome == TOutcome::Kept) {
            EXPECT_TRUE(raised) << "a source kept in silence";
        }
        return outcome;
    }

    test::TempFolder temp;
    TQuietUi ui;
    const std::wstring folder = temp.Path(L"files") + kPathDelim;
    const std::wstring scratch = temp.Path(L"scratch") + kPathDelim;
    std::string password = "pass word";
    // Three chained calls and a partial block; the small file keeps 18 passes short.
    Bytes original = Bytes(20000, '\0');
    Bytes small = Bytes(700, 'x');
    Bytes encrypted;
};

TEST_F(FaultMatrix, EveryFailingFileOperationLeavesAnAllowedState) {
    for (const TScenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.name);
        std::vector<TFileOperation> operations;
        ASSERT_EQ(RunOnce(scenario, -1, 0, &operations), TOutcome::Done);
        ASSERT_FALSE(operations.empty());
        std::map<std::string, int> seen;
        for (int i = 0; i < static_cast<int>(operations.size()); ++i) {
            SCOPED_TRACE(testing::Message()
                         << "failing operation " << i << " (" << Name(operations[i]) << ")");
            const TOutcome outcome = RunOnce(scenario, i, 0);
            ++seen[std::string(Name(operations[i])) + " -> " + Name(outcome)];
        }
        // Each kind of operation the work makes was failed at least once.
        for (TFileOperation operation : operations) {
            const bool failed = std::any_of(seen.begin(), seen.end(), [&](const auto& entry) {
                return entry.first.starts_with(std::string(Name(operation)) + " ->");
            });
            EXPECT_TRUE(failed) << Name(operation);
        }
    }
}

TEST_F(FaultMatrix, EveryCancelPointLeavesTheSourceOrTheWholeResult) {
    for (const TScenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.name);
        for (int cancelAt = 1;; ++cancelAt) {
            SCOPED_TRACE(testing::Message() << "cancelled at check " << cancelAt);
            const TOutcome outcome = RunOnce(scenario, -1, cancelAt);
            EXPECT_NE(outcome, TOutcome::Kept);
            if (outcome == TOutcome::Done || cancelAt > 400)
                break;
        }
    }
}

}  // namespace
}  // namespace dovrel

namespace dovrel {
namespace {

// A source that another program holds open is refused whole: both systems open the user's
// files without sharing, so nothing is read, nothing written, and the source stays.
TEST_F(FaultMatrix, ASourceInUseElsewhereIsRefusedWhole) {
    for (const TScenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.name);
        Clear();
        scenario.prepare();
        const bool decrypting = std::string_view(scenario.name).starts_with("decrypt");
        {
            TFileStream holder(In(decrypting ? L"a.txt.enc" : L"a.txt"), TFileMode::fmOpenRead);
            EXPECT_THROW(scenario.run(0), Error);
        }
        EXPECT_EQ(Names(folder), std::vector<std::wstring>{decrypting ? L"a.txt.enc" : L"a.txt"});
        EXPECT_EQ(scenario.judge(), TOutcome::Refused);
    }
}

}  // namespace
}  // namespace dovrel
