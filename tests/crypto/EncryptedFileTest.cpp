// The ".enc" format and the encrypt and decrypt procedures of the catalogue entries.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "app/AppFolders.h"
#include "crypto/Crc32.h"
#include "crypto/CryptoAlgorithms.h"
#include "crypto/ciphers/Blowfish.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    Bytes bytes(static_cast<std::size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void WriteAll(const std::wstring& path, const Bytes& bytes) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(bytes.data(), bytes.size());
}

Bytes Content(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 131 + 7);
    return b;
}

std::map<std::wstring, std::int64_t> Listing(const std::wstring& folder) {
    std::map<std::wstring, std::int64_t> names;
    EnumerateFolder(folder, [&](const TFindEntry& e) {
        names[e.name] = e.data.size;
        return true;
    });
    return names;
}

struct Progress {
    int calls = 0;
    std::int64_t lastDone = 0, lastTotal = 0, deltas = 0;
};

class EncryptedFile : public testing::Test {
protected:
    void SetUp() override {
        InitAppFolders(temp.Path(L"data"));
        BuildCipherCatalogue();
        events.OnCheckCancel = [this] { return cancelAfter >= 0 && progress.calls >= cancelAfter; };
        events.OnProgress = [this](std::int64_t done, std::int64_t total, std::int64_t delta,
                                   double seconds) {
            ++progress.calls;
            progress.lastDone = done, progress.lastTotal = total, progress.deltas += delta;
            EXPECT_GE(seconds, 0.0);
        };
        events.OnAskPassword = [this](const std::wstring& file, std::string& password) {
            askedFor.push_back(file);
            if (nextPasswords.empty())
                return false;
            password = nextPasswords.front();
            nextPasswords.erase(nextPasswords.begin());
            return true;
        };
    }
    void TearDown() override { ReleaseCipherCatalogue(); }

    TCryptoAlgorithm& Entry(const char* id) {
        TCryptoAlgorithm* entry = FindCipherById({id[0], id[1], id[2]});
        if (entry == nullptr)
            throw std::invalid_argument(std::string("no cipher ") + id);
        return *entry;
    }

    // Encrypts `content` as work/`name`, returns the ".enc" path.
    std::wstring Encrypt(const char* id, const std::wstring& name, const Bytes& content,
                         std::string password) {
        const std::wstring path = work + name;
        WriteAll(path, content);
        EXPECT_TRUE(Entry(id).EncryptFile(path, password, events));
        return path + L".enc";
    }

    test::TempFolder temp;
    std::wstring work = temp.Folder();
    TOperationEvents events;
    Progress progress;
    int cancelAfter = -1;
    std::vector<std::wstring> askedFor;
    std::vector<std::string> nextPasswords;
};

TEST_F(EncryptedFile, CatalogueHasItsNineteenEntriesInOrder) {
    const char* ids[] = {"BFS", "CS1", "CS2", "DES", "3DE", "ICE", "TIC", "IC2", "IDE", "MAR",
                         "MI1", "RC2", "RC5", "RC6", "RIJ", "SER", "TEA", "TFS", "ALL"};
    const auto& catalogue = CipherCatalogue();
    ASSERT_EQ(catalogue.size(), kCatalogueSize);
    for (std::size_t i = 0; i < kCatalogueSize; ++i) {
        EXPECT_EQ(catalogue[i]->Id(), (TCipherId{ids[i][0], ids[i][1], ids[i][2]})) << i;
        EXPECT_EQ(catalogue[i]->Cipher() == nullptr, i == kCipherCount) << i;
        if (catalogue[i]->Cipher()) {
            EXPECT_FALSE(catalogue[i]->Cipher()->HasKey());
        }
    }
    EXPECT_STREQ(CipherListText(10), L"MISTY 1");
    EXPECT_STREQ(CipherListText(18), L"All at once");
    EXPECT_EQ(FindCipherById({'b', 'f', 's'}), nullptr) << "identifiers are case-sensitive";
    EXPECT_EQ(FindCipherById({'A', 'L', 'L'}), catalogue.back().get());
}

TEST_F(EncryptedFile, HeaderHoldsIdChecksumAndEncryptedName) {
    const Bytes content = Content(50);
    const Bytes enc = ReadAll(Encrypt("BFS", L"abc", content, "pw"));

    // Rebuild the file from its definition with a cipher of the same class.
    TBlowfish cipher;
    cipher.SetKeyFromPassword(Bytes{'p', 'w'});
    const std::string name = cipher.EncryptText(Bytes{'a', 'b', 'c'});
    Bytes expected = {'B', 'F', 'S', 0xB0, 0x7A, 0x95, 0xAD, 4, 0, 0, 0};
    expected.insert(expected.end(), name.begin(), name.end());
    // 50 bytes: steps of one byte, each ending with the partial-block rule.
    for (std::size_t i = 0; i < content.size(); ++i) {
        std::uint8_t b = content[i];
        cipher.EncryptChained(&b, &b, 1);
        expected.push_back(b);
    }
    EXPECT_EQ(enc, expected);
    EXPECT_EQ(progress.calls, 50);
    EXPECT_EQ(progress.lastDone, 50);
    EXPECT_EQ(progress.deltas, 50);
}

TEST_F(EncryptedFile, EveryEntryRoundTripsEverySizeClass) {
    for (const auto& entry : CipherCatalogue()) {
        if (entry->Cipher() == nullptr)
            continue;
        // Empty, shorter than, equal to and just over a block of either width, the cut of
        // one-byte steps, and long enough for whole steps of 10000 bytes.
        for (std::size_t size : {0u, 1u, 7u, 8u, 9u, 16u, 17u, 99u, 100u, 12345u, 1000000u}) {
            SCOPED_TRACE(testing::PrintToString(entry->IdText()) + " size " + std::to_string(size));
            const Bytes content = Content(size);
            std::string password = "correct horse";
            const std::wstring source = work + L"plain.bin";
            WriteAll(source, content);
            progress = {};
            ASSERT_TRUE(entry->EncryptFile(source, password, events));
            ASSERT_EQ(DeleteFileAt(source), 0u);
            // Steps of a hundredth of the data, at least one byte each.
            const std::size_t step = std::max<std::size_t>(size / 100, 1);
            EXPECT_EQ(progress.calls, static_cast<int>((size + step - 1) / step));
            ASSERT_TRUE(entry->DecryptFile(source + L".enc", password, events));
            EXPECT_EQ(ReadAll(source), content);
            EXPECT_FALSE(entry->Cipher()->HasKey()) << "the key outlived the file";
        }
    }
    EXPECT_TRUE(askedFor.empty());
}

TEST_F(EncryptedFile, WrongPasswordIsAskedAgainUntilItFits) {
    const Bytes content = Content(3000);
    const std::wstring enc = Encrypt("RIJ", L"report.txt", content, "right");
    DeleteFileAt(work + L"report.txt");

    std::string password = "wrong";
    nextPasswords = {"still wrong", "right"};
    ASSERT_TRUE(Entry("RIJ").DecryptFile(enc, password, events));
    EXPECT_EQ(askedFor, (std::vector<std::wstring>{enc, enc}));
    EXPECT_EQ(password, "right") << "the run goes on with the password that fitted";
    EXPECT_EQ(ReadAll(work + L"report.txt"), content);
}

TEST_F(EncryptedFile, GivingUpLeavesNothingBehind) {
    const std::wstring enc = Encrypt("TFS", L"secret.doc", Content(500), "right");
    DeleteFileAt(work + L"secret.doc");
    const auto before = Listing(work);
    std::string password = "wrong";
    EXPECT_FALSE(Entry("TFS").DecryptFile(enc, password, events));
    EXPECT_EQ(askedFor.size(), 1u);
    EXPECT_EQ(Listing(work), before);
}

TEST_F(EncryptedFile, CancelLeavesNoPartialOutputAndTheOldTargetIntact) {
    const Bytes content = Content(100000);
    const std::wstring enc = Encrypt("SER", L"big.bin", content, "pw");
    const Bytes complete = ReadAll(enc);
    const auto before = Listing(work);

    progress = {};
    cancelAfter = 10;
    std::string password = "pw";
    EXPECT_FALSE(Entry("SER").EncryptFile(work + L"big.bin", password, events));
    EXPECT_EQ(progress.calls, 10);
    EXPECT_EQ(Listing(work), before) << "a temporary file was left or the target was touched";
    EXPECT_EQ(ReadAll(enc), complete);

    DeleteFileAt(work + L"big.bin");
    progress = {};
    EXPECT_FALSE(Entry("SER").DecryptFile(enc, password, events));
    EXPECT_FALSE(GetAttributeData(work + L"big.bin")) << "a cancelled decryption left its output";
}

#ifndef _WIN32
// A file size limit for this process makes every write beyond it fail as a full disk does.
class TWriteLimit {
public:
    explicit TWriteLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~TWriteLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

TEST_F(EncryptedFile, AFailedWriteLeavesTheSourceAndTheOldTargetAsTheyWere) {
    const Bytes content = Content(600000);
    const std::wstring source = work + L"photo.raw";
    const std::wstring enc = Encrypt("BFS", L"photo.raw", content, "pw");
    const Bytes complete = ReadAll(enc);
    const Bytes oldTarget = Content(10);
    const auto before = Listing(work);
    std::string password = "pw";
    {
        const TWriteLimit limit(200000);
        EXPECT_THROW(Entry("BFS").EncryptFile(source, password, events), Error);
    }
    EXPECT_EQ(Listing(work), before) << "a temporary file was left behind";
    EXPECT_EQ(ReadAll(source), content);
    EXPECT_EQ(ReadAll(enc), complete);

    WriteAll(source, oldTarget);  // the decryption's target holds another file now
    {
        const TWriteLimit limit(200000);
        EXPECT_THROW(Entry("BFS").DecryptFile(enc, password, events), Error);
    }
    EXPECT_EQ(Listing(work), (std::map<std::wstring, std::int64_t>{
                                 {L"data", 0},
                                 {L"photo.raw", 10},
                                 {L"photo.raw.enc", static_cast<std::int64_t>(complete.size())}}));
    EXPECT_EQ(ReadAll(source), oldTarget);
    EXPECT_EQ(ReadAll(enc), complete);
}
#endif

TEST_F(EncryptedFile, DecryptWritesTheStoredNameBesideTheEncFile) {
    const Bytes content = Content(777);
    const std::wstring enc = Encrypt("IDE", L"report.txt", content, "pw");
    CreateFolderChain(work + L"elsewhere");
    const std::wstring moved = work + L"elsewhere" + kPathDelim + L"archive.enc";
    RenameReplacing(enc, moved);
    WriteAll(work + L"elsewhere" + kPathDelim + L"report.txt", Bytes{1, 2, 3});
    std::string password = "pw";
    ASSERT_TRUE(Entry("IDE").DecryptFile(moved, password, events));
    EXPECT_EQ(ReadAll(work + L"elsewhere" + kPathDelim + L"report.txt"), content)
        << "an older file is replaced";
}

TEST_F(EncryptedFile, DecryptOntoItselfIsRefusedAndKeepsTheEncFile) {
    const std::wstring enc = Encrypt("BFS", L"same", Content(64), "pw");
    DeleteFileAt(work + L"same");
    RenameReplacing(enc, work + L"same");
    const Bytes before = ReadAll(work + L"same");
    std::string password = "pw";
    try {
        Entry("BFS").DecryptFile(work + L"same", password, events);
        FAIL() << "decrypting a file onto itself must fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message().rfind(L"Cannot create file \"" + work + L"same\". ", 0), 0u)
            << e.what();
    }
    EXPECT_EQ(ReadAll(work + L"same"), before);
    EXPECT_EQ(Listing(work).size(), 2u) << "only the .enc file and the data folder";
}

TEST_F(EncryptedFile, AReadOnlyTargetIsRefusedBeforeAnyWork) {
    WriteAll(work + L"a.txt", Content(10));
    WriteAll(work + L"a.txt.enc", Bytes{9, 9});
    ASSERT_EQ(SetFileAttributesAt(work + L"a.txt.enc", attr::kReadOnly), 0u);
    std::string password = "pw";
    EXPECT_THROW(
        {
            try {
                Entry("DES").EncryptFile(work + L"a.txt", password, events);
            } catch (const Error& e) {
                EXPECT_EQ(e.Message().rfind(L"Cannot create file \"" + work + L"a.txt.enc\". ", 0),
                          0u);
                throw;
            }
        },
        Error);
    EXPECT_EQ(progress.calls, 0);
    EXPECT_EQ(ReadAll(work + L"a.txt.enc"), (Bytes{9, 9}));
    SetFileAttributesAt(work + L"a.txt.enc", attr::kNormal);
}

TEST_F(EncryptedFile, MissingSourceRaisesTheOpenError) {
    std::string password = "pw";
    try {
        Entry("RC6").EncryptFile(work + L"missing.txt", password, events);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Message().rfind(L"Cannot open file \"" + work + L"missing.txt\". ", 0), 0u);
    }
    EXPECT_FALSE(GetAttributeData(work + L"missing.txt.enc"));
}

TEST_F(EncryptedFile, TruncatedFilesRaiseTheReadError) {
    const std::wstring enc = Encrypt("TEA", L"t.txt", Content(40), "pw");
    Bytes whole = ReadAll(enc);
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"shorter than the fixed header", Bytes(whole.begin(), whole.begin() + 7)},
        {"name cut off", Bytes(whole.begin(), whole.begin() + 12)},
        {"huge name length",
         [&] {
             Bytes b = whole;
             b[7] = b[8] = b[9] = b[10] = 0xFF;
             return b;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAll(work + L"bad.enc", c.bytes);
        std::string password = "pw";
        try {
            Entry("TEA").DecryptFile(work + L"bad.enc", password, events);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), L"Stream read error");
        }
        EXPECT_FALSE(Entry("TEA").Cipher()->HasKey());
    }
}

// A hand-made Blowfish file (password "pw", no data) whose stored name is `stored`.
Bytes HandMadeEncFile(const std::u16string& stored) {
    TBlowfish cipher;
    cipher.SetKeyFromPassword(Bytes{'p', 'w'});
    const std::string utf8 = ToUtf8(std::wstring(stored.begin(), stored.end()));
    const std::string name = cipher.EncryptText(Bytes(utf8.begin(), utf8.end()));
    const std::uint32_t crc = TextCRC32(stored).value_or(0);
    Bytes file = {'B', 'F', 'S'};
    for (int i = 0; i < 4; ++i)
        file.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
    for (int i = 0; i < 4; ++i)
        file.push_back(static_cast<std::uint8_t>(name.size() >> (8 * i)));
    file.insert(file.end(), name.begin(), name.end());
    return file;
}

// What a stored name may do: only its last component is written, in the ".enc" file's
// folder; a name of no file or of a device is refused before anything is opened. On
// Windows ":" also separates and a trailing dot or blank, which the system would drop, is
// refused; elsewhere those are a file's own name.
TEST_F(EncryptedFile, HostileStoredNamesStayInTheFolderAndOpenNoDevice) {
    constexpr bool windows = kPathDelim == L'\\';
    const std::wstring refused = L"(refused)";
    const std::wstring failed = L"(create error)";
    const std::wstring notDecrypted = L"(no password fits)";
    const struct {
        std::u16string stored;
        std::wstring written;  // on Windows
        std::wstring writtenElsewhere;
    } cases[] = {
        {u"..\\up.txt", L"up.txt", L"up.txt"},
        {u"../up.txt", L"up.txt", L"up.txt"},
        {u"C:\\Windows\\win.ini", L"win.ini", L"win.ini"},
        {u"\\\\server\\share\\unc.txt", L"unc.txt", L"unc.txt"},
        {u"/etc/passwd", L"passwd", L"passwd"},
        {u"C:drive.txt", L"drive.txt", L"C:drive.txt"},
        {u"file.txt:stream", L"stream", L"file.txt:stream"},
        {u"..", refused, refused},
        {u".", refused, refused},
        // An empty name has no checksum to match: no password fits, and nothing is written.
        {u"", notDecrypted, notDecrypted},
        {u"sub\\", refused, refused},
        {u"CON", refused, refused},
        {u"nul.txt", refused, refused},
        {u"Com1", refused, refused},
        {u"LPT9.log", refused, refused},
        {u"aux .tar.gz", refused, refused},
        {u"COM0", L"COM0", L"COM0"},
        {u"CONSOLE.txt", L"CONSOLE.txt", L"CONSOLE.txt"},
        {u"name.", refused, L"name."},
        {u"name ", refused, L"name "},
        {std::u16string(300, u'a'), failed, failed},
    };
    const std::wstring inner = work + L"inner" + kPathDelim;
    for (const auto& c : cases) {
        const std::wstring expected = windows ? c.written : c.writtenElsewhere;
        SCOPED_TRACE(ToUtf8(std::wstring(c.stored.begin(), c.stored.end())));
        std::filesystem::remove_all(std::filesystem::path(inner));
        CreateFolderChain(inner);
        const auto outside = Listing(work);
        WriteAll(inner + L"x.enc", HandMadeEncFile(c.stored));
        std::string password = "pw";
        try {
            const bool decrypted = Entry("BFS").DecryptFile(inner + L"x.enc", password, events);
            EXPECT_EQ(decrypted ? L"(decrypted)" : notDecrypted,
                      expected == notDecrypted ? notDecrypted : L"(decrypted)");
            EXPECT_NE(expected, refused);
            EXPECT_NE(expected, failed);
        } catch (const Error& e) {
            if (expected == refused)
                EXPECT_EQ(e.Message(),
                          L"The file name stored in \"" + inner + L"x.enc\" is not valid");
            else
                EXPECT_EQ(expected, failed) << ToUtf8(e.Message());
        }
        std::map<std::wstring, std::int64_t> left = {{L"x.enc", 0}};
        if (expected != refused && expected != failed && expected != notDecrypted)
            left[expected] = 0;
        auto listing = Listing(inner);
        for (auto& entry : listing)
            entry.second = 0;
        EXPECT_EQ(listing, left) << "the folder holds the .enc file and the output only";
        EXPECT_EQ(Listing(work), outside) << "nothing outside the folder";
    }
}

TEST_F(EncryptedFile, AllAtOnceLeavesTheTwofishFile) {
    const Bytes content = Content(5000);
    const Bytes twofish = ReadAll(Encrypt("TFS", L"doc.txt", content, "pw"));
    progress = {};
    const Bytes all = ReadAll(Encrypt("ALL", L"doc.txt", content, "pw"));
    EXPECT_EQ(all, twofish);
    EXPECT_EQ(Entry("ALL").PassCount(), 18);
    EXPECT_EQ(progress.calls, 18 * 100);
    EXPECT_EQ(progress.deltas, 18 * 100 * (50 / 18)) << "each pass reports its share";
}

TEST_F(EncryptedFile, DescriptionsComeFromTheLanguagesFile) {
    // The description file beside the program is the shipped English one.
    EXPECT_NE(GetCipherDescription(Entry("RIJ")).find(L"Rijndael"), std::wstring::npos);
    EXPECT_FALSE(GetCipherDescription(Entry("ALL")).empty());
    OpenIniFile(GetDataFolder() + L"options.ini")->WriteString(L"Options", L"LanguageID", L"0x419");
    ReleaseCipherCatalogue();
    BuildCipherCatalogue();
    EXPECT_EQ(GetCipherDescription(Entry("RIJ")), L"") << "cryptos0x419.ini does not exist";
}

}  // namespace
}  // namespace dovrel
