#include <gtest/gtest.h>

#include "app/AppFolders.h"
#include "crypto/CryptoAlgorithms.h"
#include "engine/OperationList.h"
#include "engine/Operations.h"
#include "engine/UserInterface.h"
#include "hiding/HiddenConfig.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "shred/ShredAlgorithms.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

class TRecordingUi final : public TUserInterface {
public:
    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
    bool AskPassword(const std::wstring&, std::wstring&) override { return false; }

    std::vector<std::wstring> messages;
};

void WriteText(const std::wstring& path, const std::string& text) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(text.data(), text.size());
}

class Operations : public testing::Test {
protected:
    void SetUp() override {
        InitAppFolders(temp.Path(L"data"));
        BuildCipherCatalogue();
        SetUserInterface(&ui);
        for (TCrypt* op : {static_cast<TCrypt*>(&encrypt), static_cast<TCrypt*>(&decrypt)}) {
            op->Events = {[this] { return ++checks > cancelAtCheck; }, [](auto...) {},
                          [this](const std::wstring&, std::string& password) {
                              if (retries.empty())
                                  return false;
                              password = retries.back();
                              retries.pop_back();
                              return true;
                          }};
            op->Password = "pw";
            op->DeleteSource = true;
        }
        encrypt.Algorithm = CipherCatalogue()[0].get();
    }
    void TearDown() override {
        SetUserInterface(nullptr);
        ReleaseCipherCatalogue();
    }

    test::TempFolder temp;
    TRecordingUi ui;
    TEncrypt encrypt{L"", L""};
    TDecrypt decrypt{L"", L""};
    int checks = 0;
    int cancelAtCheck = 1 << 30;
    std::vector<std::string> retries;
};

TEST_F(Operations, EncryptDeletesTheSourceOnlyAfterACompletedFile) {
    const std::wstring done = temp.Path(L"done.txt"), cancelled = temp.Path(L"cancelled.txt");
    WriteText(done, std::string(1000, 'd'));
    WriteText(cancelled, std::string(1000, 'c'));
    encrypt.ProcessItem(done);
    EXPECT_FALSE(GetAttributeData(done));
    EXPECT_TRUE(GetAttributeData(done + L".enc"));

    cancelAtCheck = checks + 5;
    encrypt.ProcessItem(cancelled);
    EXPECT_EQ(GetAttributeData(cancelled)->size, 1000) << "a cancelled file keeps its source";
}

TEST_F(Operations, DecryptFindsTheCipherPerFileAndKeepsAPasswordThatFitted) {
    const std::wstring a = temp.Path(L"a.txt"), b = temp.Path(L"b.txt");
    WriteText(a, "first");
    WriteText(b, "second");
    encrypt.Password = "new";
    encrypt.Algorithm = FindCipherById({'S', 'E', 'R'});
    encrypt.ProcessItem(a);
    encrypt.Algorithm = FindCipherById({'R', 'C', '5'});
    encrypt.ProcessItem(b);

    retries = {"new"};  // the run started with "pw"
    decrypt.ProcessItem(a + L".enc");
    EXPECT_EQ(decrypt.Algorithm->IdText(), L"SER");
    EXPECT_EQ(decrypt.Password, "new");
    decrypt.ProcessItem(b + L".enc");
    EXPECT_EQ(decrypt.Algorithm->IdText(), L"RC5");
    EXPECT_TRUE(GetAttributeData(b));
    EXPECT_FALSE(GetAttributeData(b + L".enc"))
        << "the .enc file goes after a completed decryption";
}

TEST_F(Operations, UnknownIdentifierIsReportedAndTheFileStays) {
    const std::wstring path = temp.Path(L"a.enc");
    WriteText(path, "bfs lowercase is no identifier");
    decrypt.ProcessItem(path);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], L"Encryption algorithm for " + path + L" not found");
    EXPECT_TRUE(GetAttributeData(path));
}

TEST_F(Operations, ATwoByteFileEndsTheItemWithTheReadError) {
    const std::wstring path = temp.Path(L"short.enc");
    WriteText(path, "BF");
    try {
        decrypt.ProcessItem(path);
        FAIL() << "a two-byte file must not pass";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Stream read error");
    }
    EXPECT_TRUE(GetAttributeData(path));
}

TEST_F(Operations, SummarySentenceChoosesSingularUpToOne) {
    EXPECT_EQ(SummarySentence(encrypt, 0), L"0 file was encrypted");
    EXPECT_EQ(SummarySentence(encrypt, 1), L"1 file was encrypted");
    EXPECT_EQ(SummarySentence(decrypt, 218), L"218 files were decrypted");
    EXPECT_EQ(encrypt.GetCompletionText(), L"Encryption completed");
    EXPECT_EQ(decrypt.GetCompletionText(), L"Decryption completed");
}

TEST_F(Operations, ShredOverwritesThroughItsSchemeAndDeletes) {
    BuildShredCatalogue();
    TShred shred(L"", L"");
    shred.Scheme = ShredCatalogue().back().get();
    shred.Events = encrypt.Events;
    const std::wstring kept = temp.Path(L"kept.txt"), gone = temp.Path(L"gone.txt");
    WriteText(kept, std::string(100, 'k'));
    WriteText(gone, std::string(100, 'g'));

    cancelAtCheck = checks;  // the next check cancels
    shred.ProcessItem(kept);
    EXPECT_TRUE(GetAttributeData(kept)) << "a cancelled shred keeps the file";
    cancelAtCheck = 1 << 30;
    shred.ProcessItem(gone);
    EXPECT_FALSE(GetAttributeData(gone));
    EXPECT_EQ(SummarySentence(shred, 2), L"2 files were shredded");
    EXPECT_EQ(shred.GetCompletionText(), L"Shredding completed");
    ReleaseShredCatalogue();
}

TEST_F(Operations, HideRecordsItemsAndKeepsShowsOutUntilItsRunEnds) {
    CreateHiddenStore();
    const std::wstring first = temp.Path(L"first.txt"), second = temp.Path(L"second.txt");
    WriteText(first, "1");
    WriteText(second, "2");
    auto hide = std::make_unique<THide>(L"", L"");
    hide->ProcessItem(first);
    hide->ProcessItem(second);
    hide->ProcessItem(L"X");  // too short to name anything
    ASSERT_EQ(HiddenStore().Count(), 2);
    EXPECT_EQ(HiddenStore().Item(1).FilePath, second);

    TShow show(L"", L"");
    show.ItemIndex = 1;
    EXPECT_THROW(show.ProcessItem(second), Error) << "a show while the hide run is alive";
    EXPECT_EQ(HiddenStore().Count(), 2);

    hide.reset();  // the run released its operation
    show.ProcessItem(second);
    show.ItemIndex = 0;
    show.ProcessItem(first);
    EXPECT_EQ(HiddenStore().Count(), 0);
    EXPECT_EQ(SummarySentence(show, 2), L"2 files were shown");
    EXPECT_EQ(show.GetCompletionText(), L"Show operation completed");
    EXPECT_EQ(THide(L"", L"").GetCompletionText(), L"Hide operation completed");
    FreeHiddenStore();
}

TEST_F(Operations, OperationListHoldsOneEntryOfEachKindInPageOrder) {
    BuildOperationList();
    const std::pair<const wchar_t*, const wchar_t*> expected[] = {
        {L"Encrypt", L"Encrypt files and change their extensions to .enc"},
        {L"Decrypt", L"Decrypt previously encrypted files"},
        {L"Shred", L"Securely delete files"},
        {L"Hide", L"Hide files, folders or drives from Explorer"},
        {L"Show", L"Show hidden files, folders or drives"}};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(OperationEntry(i).Name, expected[i].first);
        EXPECT_EQ(OperationEntry(i).Description, expected[i].second);
    }
    EXPECT_NE(dynamic_cast<const TShow*>(&OperationEntry(4)), nullptr);
    EXPECT_THROW(OperationEntry(5), std::out_of_range);
    ReleaseOperationList();
    EXPECT_THROW(OperationEntry(0), std::out_of_range);
}

}  // namespace
}  // namespace dovrel
