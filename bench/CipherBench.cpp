// Throughput of every cipher of the catalogue along the path the file procedure takes: a key
// from a password, then chained calls of 8192 bytes, in place, over a large buffer, in both
// directions. Beside each, the same algorithm in CBC from OpenSSL, Crypto++ and Botan where
// they have it, keyed alike and fed the same buffer in the same calls. Then whole-file
// EncryptFile and DecryptFile of a large file, for RIJNDAEL or, with --all-files, for every
// cipher. Prints one table.
//
//   dovrel_bench_cipher [--folder DIR] [--mib N] [--buffer-mib N] [--repeat N]
//                       [--cipher NAME] [--all-files] [--tsv FILE]
//
// DIR holds a scratch folder for the whole files (default /var/tmp; the current folder on
// Windows), N of --mib is their size in MiB (default 256), --buffer-mib the buffer's (64),
// --repeat keeps the best of that many runs of every measurement (1), --cipher limits the
// run to the cipher of that list text. --tsv FILE also writes the chained rates for scripts,
// one cipher a line: name, ours encrypting and decrypting, then each library's encrypting
// and decrypting rate and its mark (see Rates), -1 where nothing was measured.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/AppFolders.h"
#include "crypto/BlockCipher.h"
#include "crypto/CryptoAlgorithms.h"
#include "crypto/Sha1.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/Text.h"

#ifdef DOVREL_BENCH_OPENSSL
#include <openssl/evp.h>
#include <openssl/provider.h>
#endif
#ifdef DOVREL_BENCH_CRYPTOPP
#include <cryptopp/aes.h>
#include <cryptopp/blowfish.h>
#include <cryptopp/cast.h>
#include <cryptopp/des.h>
#include <cryptopp/idea.h>
#include <cryptopp/mars.h>
#include <cryptopp/modes.h>
#include <cryptopp/rc2.h>
#include <cryptopp/rc5.h>
#include <cryptopp/rc6.h>
#include <cryptopp/serpent.h>
#include <cryptopp/twofish.h>
#endif
#ifdef DOVREL_BENCH_BOTAN
#include <botan/cipher_mode.h>
#endif

namespace dovrel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kMiB = 1 << 20;
// The piece EncryptStreamPart hands to one chained call.
constexpr std::size_t kCallBytes = 8192;
const std::string kPassword = "benchmark password";

struct Settings {
    std::wstring folder;
    std::int64_t fileSize = 256 * static_cast<std::int64_t>(kMiB);
    std::size_t bufferSize = 64 * kMiB;
    int repeat = 1;
    std::wstring only;
    bool allFiles = false;
    std::string tsv;
};

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double MiBPerSecond(std::int64_t bytes, double seconds) {
    return static_cast<double>(bytes) / static_cast<double>(kMiB) / seconds;
}

// Reproducible content from the position alone, so a restored file can be checked without
// keeping a copy: byte i is byte i % 8 of a hash of i / 8. Cipher speed does not depend on
// it; it only must not be all zeros. `offset` is a multiple of 8.
void FillContent(std::uint8_t* out, std::size_t n, std::uint64_t offset) {
    for (std::size_t i = 0; i < n; i += 8) {
        std::uint64_t z = (offset + i) / 8 * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        for (std::size_t j = 0; j < 8 && i + j < n; ++j)
            out[i + j] = static_cast<std::uint8_t>(z >> (8 * j));
    }
}

// ---------------------------------------------------------------------------------------
// The libraries' CBC, behind one small interface.

class TReferenceCbc {
public:
    virtual ~TReferenceCbc() = default;
    // Keys the library and sets its chaining block to `iv`.
    virtual void Start(bool encrypting, const Bytes& key, const Bytes& iv) = 0;
    // A whole number of blocks in place, chained on from the previous call.
    virtual void Process(std::uint8_t* data, std::size_t n) = 0;
};

enum Library { kOpenSsl, kCryptopp, kBotan, kLibraryCount };
const char* const kLibraryNames[kLibraryCount] = {"OpenSSL", "Crypto++", "Botan"};

#ifdef DOVREL_BENCH_OPENSSL
class TOpenSslCbc final : public TReferenceCbc {
public:
    // `rc2KeyBits`, when not zero, is RC2's effective key length.
    explicit TOpenSslCbc(const char* name, int rc2KeyBits = 0) : rc2KeyBits_(rc2KeyBits) {
        // Loading one provider stops the default one loading by itself; the legacy one
        // holds Blowfish, CAST5, DES and RC2.
        static OSSL_PROVIDER* const legacy = OSSL_PROVIDER_load(nullptr, "legacy");
        static OSSL_PROVIDER* const standard = OSSL_PROVIDER_load(nullptr, "default");
        (void)legacy, (void)standard;
        cipher_ = EVP_CIPHER_fetch(nullptr, name, nullptr);
        ctx_ = EVP_CIPHER_CTX_new();
        if (cipher_ == nullptr || ctx_ == nullptr)
            throw std::runtime_error(std::string("OpenSSL has no ") + name);
    }
    ~TOpenSslCbc() override {
        EVP_CIPHER_CTX_free(ctx_);
        EVP_CIPHER_free(cipher_);
    }
    TOpenSslCbc(const TOpenSslCbc&) = delete;
    TOpenSslCbc& operator=(const TOpenSslCbc&) = delete;

    void Start(bool encrypting, const Bytes& key, const Bytes& iv) override {
        const int enc = encrypting ? 1 : 0;
        const bool ok =
            EVP_CipherInit_ex2(ctx_, cipher_, nullptr, nullptr, enc, nullptr) == 1 &&
            EVP_CIPHER_CTX_set_key_length(ctx_, static_cast<int>(key.size())) == 1 &&
            (rc2KeyBits_ == 0 ||
             EVP_CIPHER_CTX_ctrl(ctx_, EVP_CTRL_SET_RC2_KEY_BITS, rc2KeyBits_, nullptr) == 1) &&
            EVP_CipherInit_ex2(ctx_, nullptr, key.data(), iv.data(), enc, nullptr) == 1 &&
            EVP_CIPHER_CTX_set_padding(ctx_, 0) == 1;
        if (!ok)
            throw std::runtime_error("OpenSSL refused the key");
    }
    void Process(std::uint8_t* data, std::size_t n) override {
        int written = 0;
        if (EVP_CipherUpdate(ctx_, data, &written, data, static_cast<int>(n)) != 1 ||
            written != static_cast<int>(n))
            throw std::runtime_error("OpenSSL failed");
    }

private:
    int rc2KeyBits_;
    EVP_CIPHER* cipher_ = nullptr;
    EVP_CIPHER_CTX* ctx_ = nullptr;
};
#endif

#ifdef DOVREL_BENCH_CRYPTOPP
template <class Cipher>
class TCryptoppCbc final : public TReferenceCbc {
public:
    // `parameter` names an integer the cipher takes besides the key (its rounds, RC2's
    // effective key bits); Crypto++ throws when the cipher does not use it.
    explicit TCryptoppCbc(const char* parameter = nullptr, int value = 0)
        : parameter_(parameter), value_(value) {}

    void Start(bool encrypting, const Bytes& key, const Bytes& iv) override {
        if (encrypting) {
            mode_ = std::make_unique<typename CryptoPP::CBC_Mode<Cipher>::Encryption>();
        } else {
            mode_ = std::make_unique<typename CryptoPP::CBC_Mode<Cipher>::Decryption>();
        }
        CryptoPP::AlgorithmParameters params = CryptoPP::MakeParameters(
            CryptoPP::Name::IV(), CryptoPP::ConstByteArrayParameter(iv.data(), iv.size()));
        if (parameter_ != nullptr)
            params(parameter_, value_);
        mode_->SetKey(key.data(), key.size(), params);
    }
    void Process(std::uint8_t* data, std::size_t n) override { mode_->ProcessData(data, data, n); }

private:
    const char* parameter_;
    int value_;
    std::unique_ptr<CryptoPP::SymmetricCipher> mode_;
};
#endif

#ifdef DOVREL_BENCH_BOTAN
class TBotanCbc final : public TReferenceCbc {
public:
    explicit TBotanCbc(const std::string& cipher) : name_(cipher + "/CBC/NoPadding") {}

    void Start(bool encrypting, const Bytes& key, const Bytes& iv) override {
        mode_ = Botan::Cipher_Mode::create_or_throw(
            name_, encrypting ? Botan::ENCRYPTION : Botan::DECRYPTION);
        mode_->set_key(key.data(), key.size());
        mode_->start(iv.data(), iv.size());
    }
    void Process(std::uint8_t* data, std::size_t n) override { mode_->process(data, n); }

private:
    std::string name_;
    std::unique_ptr<Botan::Cipher_Mode> mode_;
};
#endif

// How a library is given the key our cipher derives from the password, so both compute
// the same function. (Unused in a build that finds none of the libraries.)
[[maybe_unused]] Bytes SameKey(const Bytes& key) {
    return key;
}

template <std::size_t N>
Bytes ZeroExtended(const Bytes& key) {
    Bytes k = key;
    k.resize(std::max(N, k.size()), 0);
    return k;
}

// Serpent extends a short key with a 1 bit and zeros; a library that only takes whole
// 8-byte steps gets that extension written out to 32 bytes.
[[maybe_unused]] Bytes SerpentExtended(const Bytes& key) {
    Bytes k = key;
    k.push_back(0x01);
    k.resize(32, 0);
    return k;
}

struct ReferenceRow {
    const wchar_t* cipher;  // list text of the catalogue entry
    Library library;
    std::function<std::unique_ptr<TReferenceCbc>()> make;
    Bytes (*key)(const Bytes&);
    // Set when the library keys the algorithm in another way: its output differs, its
    // speed is still that of the same data path.
    const char* keyedOtherwise = nullptr;
};

template <class T, class... Args>
std::function<std::unique_ptr<TReferenceCbc>()> Maker(Args... args) {
    return [=] { return std::make_unique<T>(args...); };
}

std::vector<ReferenceRow> ReferenceRows() {
    std::vector<ReferenceRow> rows;
#ifdef DOVREL_BENCH_OPENSSL
    using O = TOpenSslCbc;
    rows.insert(rows.end(), {
                                {L"Blowfish", kOpenSsl, Maker<O>("BF-CBC"), &SameKey},
                                {L"CAST-128", kOpenSsl, Maker<O>("CAST5-CBC"), &SameKey},
                                {L"DES", kOpenSsl, Maker<O>("DES-CBC"), &SameKey},
                                {L"3DES", kOpenSsl, Maker<O>("DES-EDE3-CBC"), &ZeroExtended<24>},
                                {L"RC2", kOpenSsl, Maker<O>("RC2-CBC", 1024), &SameKey},
                                {L"RIJNDAEL", kOpenSsl, Maker<O>("AES-192-CBC"), &ZeroExtended<24>},
                            });
#endif
#ifdef DOVREL_BENCH_CRYPTOPP
    namespace C = CryptoPP;
    const char* const rounds = C::Name::Rounds();
    rows.insert(rows.end(),
                {
                    {L"Blowfish", kCryptopp, Maker<TCryptoppCbc<C::Blowfish>>(), &SameKey},
                    {L"CAST-128", kCryptopp, Maker<TCryptoppCbc<C::CAST128>>(), &SameKey},
                    {L"CAST-256", kCryptopp, Maker<TCryptoppCbc<C::CAST256>>(), &SameKey},
                    {L"DES", kCryptopp, Maker<TCryptoppCbc<C::DES>>(), &SameKey},
                    {L"3DES", kCryptopp, Maker<TCryptoppCbc<C::DES_EDE3>>(), &ZeroExtended<24>},
                    {L"IDEA", kCryptopp, Maker<TCryptoppCbc<C::IDEA>>(), &SameKey},
                    {L"MARS", kCryptopp, Maker<TCryptoppCbc<C::MARS>>(), &ZeroExtended<24>,
                     "Crypto++'s MARS has the 1999 key expansion, and no 20-byte key"},
                    {L"RC2", kCryptopp,
                     Maker<TCryptoppCbc<C::RC2>>(C::Name::EffectiveKeyLength(), 1024), &SameKey},
                    {L"RC5", kCryptopp, Maker<TCryptoppCbc<C::RC5>>(rounds, 12), &SameKey},
                    {L"RC6", kCryptopp, Maker<TCryptoppCbc<C::RC6>>(rounds, 20), &ZeroExtended<24>,
                     "Crypto++'s RC6 takes no 20-byte key; it runs with 24 bytes"},
                    {L"RIJNDAEL", kCryptopp, Maker<TCryptoppCbc<C::AES>>(), &ZeroExtended<24>},
                    {L"Serpent", kCryptopp, Maker<TCryptoppCbc<C::Serpent>>(), &SerpentExtended},
                    {L"TWOFISH", kCryptopp, Maker<TCryptoppCbc<C::Twofish>>(), &ZeroExtended<24>},
                });
#endif
#ifdef DOVREL_BENCH_BOTAN
    using B = TBotanCbc;
    rows.insert(rows.end(), {
                                {L"Blowfish", kBotan, Maker<B>("Blowfish"), &SameKey},
                                {L"CAST-128", kBotan, Maker<B>("CAST-128"), &SameKey},
                                {L"CAST-256", kBotan, Maker<B>("CAST-256"), &SameKey},
                                {L"DES", kBotan, Maker<B>("DES"), &SameKey},
                                {L"3DES", kBotan, Maker<B>("TripleDES"), &ZeroExtended<24>},
                                {L"IDEA", kBotan, Maker<B>("IDEA"), &SameKey},
                                {L"MISTY 1", kBotan, Maker<B>("MISTY1"), &SameKey},
                                {L"RIJNDAEL", kBotan, Maker<B>("AES-192"), &ZeroExtended<24>},
                                {L"Serpent", kBotan, Maker<B>("Serpent"), &SerpentExtended},
                                {L"TWOFISH", kBotan, Maker<B>("Twofish"), &ZeroExtended<24>},
                            });
#endif
    return rows;
}

// ---------------------------------------------------------------------------------------
// Measurements.

// MiB/s of both directions; negative where nothing was measured.
struct Rates {
    double encrypt = -1;
    double decrypt = -1;
    // ' ' the same output as ours, '*' keyed otherwise (see the notes), '!' different
    // output although keyed alike, '?' the library failed (reason on stderr).
    char mark = ' ';
};

struct Buffers {
    Bytes plain;
    Bytes ours;  // our ciphertext of `plain`
    Bytes work;
};

// The best rate of `repeat` runs of `step` over a fresh copy of `input` in `work`, in calls
// of kCallBytes; `begin` keys before each run, outside the clock.
template <class Begin, class Step>
double TimeChained(const Bytes& input, Bytes& work, int repeat, Begin begin, Step step) {
    double best = 0;
    for (int run = 0; run < repeat; ++run) {
        work = input;
        begin();
        const auto start = Clock::now();
        for (std::size_t done = 0; done < work.size(); done += kCallBytes)
            step(work.data() + done, std::min(kCallBytes, work.size() - done));
        best = std::max(best,
                        MiBPerSecond(static_cast<std::int64_t>(work.size()), SecondsSince(start)));
    }
    return best;
}

// The key SetKeyFromPassword installs: the first min(MaxKeySize, 160) / 8 bytes of the
// password's SHA-1 digest.
Bytes ProgramKey(const TBlockCipher& cipher) {
    const auto digest = TSha1::Digest(AsBytes(kPassword));
    const std::size_t n = std::min<std::size_t>(cipher.MaxKeySize(), TSha1::HashSize) / 8;
    return Bytes(digest.begin(), digest.begin() + static_cast<std::ptrdiff_t>(n));
}

// Ours through the real object; leaves our ciphertext in buffers.ours and the IV the chain
// starts from in `iv`.
Rates MeasureOurs(TBlockCipher& cipher, Buffers& buffers, int repeat, Bytes& iv) {
    const auto key = [&] { cipher.SetKeyFromPassword(AsBytes(kPassword)); };
    Rates rates;
    rates.encrypt =
        TimeChained(buffers.plain, buffers.work, repeat, key,
                    [&](std::uint8_t* p, std::size_t n) { cipher.EncryptChained(p, p, n); });
    buffers.ours = buffers.work;
    rates.decrypt =
        TimeChained(buffers.ours, buffers.work, repeat, key,
                    [&](std::uint8_t* p, std::size_t n) { cipher.DecryptChained(p, p, n); });
    if (buffers.work != buffers.plain)
        throw Error(L"Decryption did not restore the buffer");
    const auto ivBytes = cipher.IV();
    iv.assign(ivBytes.begin(), ivBytes.end());
    cipher.WipeKey();
    return rates;
}

Rates MeasureReference(const ReferenceRow& row, const Bytes& ourKey, const Bytes& iv,
                       Buffers& buffers, int repeat) {
    const std::unique_ptr<TReferenceCbc> reference = row.make();
    const Bytes key = row.key(ourKey);
    const auto step = [&](std::uint8_t* p, std::size_t n) { reference->Process(p, n); };
    Rates rates;
    rates.encrypt = TimeChained(
        buffers.plain, buffers.work, repeat, [&] { reference->Start(true, key, iv); }, step);
    if (row.keyedOtherwise != nullptr) {
        rates.mark = '*';
    } else if (buffers.work != buffers.ours) {
        rates.mark = '!';
    }
    const Bytes theirs = buffers.work;
    rates.decrypt = TimeChained(
        theirs, buffers.work, repeat, [&] { reference->Start(false, key, iv); }, step);
    if (buffers.work != buffers.plain)
        throw std::runtime_error("its decryption did not restore the buffer");
    return rates;
}

// A file of `size` bytes of FillContent, on the device before any clock starts.
void WriteContentFile(const std::wstring& path, std::int64_t size) {
    Bytes chunk(kMiB);
    TFileStream file(path, TFileMode::fmCreate);
    for (std::int64_t done = 0; done < size; done += static_cast<std::int64_t>(kMiB)) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kMiB, size - done));
        FillContent(chunk.data(), n, static_cast<std::uint64_t>(done));
        file.WriteBuffer(chunk.data(), n);
    }
    file.Flush();
}

bool HasContent(const std::wstring& path, std::int64_t size) {
    TFileStream file(path, TFileMode::fmOpenRead);
    if (file.Size() != size)
        return false;
    Bytes expected(kMiB), actual(kMiB);
    for (std::int64_t done = 0; done < size; done += static_cast<std::int64_t>(kMiB)) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kMiB, size - done));
        FillContent(expected.data(), n, static_cast<std::uint64_t>(done));
        file.ReadBuffer(actual.data(), n);
        if (std::memcmp(expected.data(), actual.data(), n) != 0)
            return false;
    }
    return true;
}

// EncryptFile of `path` (a file of WriteContentFile), then DecryptFile of the ".enc" file,
// which restores `path` in place; the restored content is checked after the clock.
Rates MeasureWholeFile(TCryptoAlgorithm& entry, const std::wstring& path, std::int64_t size) {
    bool asked = false;
    TOperationEvents events;
    events.OnCheckCancel = [] { return false; };
    events.OnProgress = [](std::int64_t, std::int64_t, std::int64_t, double) {};
    events.OnAskPassword = [&](const std::wstring&, std::string&) {
        asked = true;
        return false;
    };
    Rates rates;
    std::string password = kPassword;
    auto start = Clock::now();
    if (!entry.EncryptFile(path, password, events))
        throw Error(L"EncryptFile did not complete");
    rates.encrypt = MiBPerSecond(size, SecondsSince(start));
    start = Clock::now();
    const bool completed = entry.DecryptFile(path + L".enc", password, events);
    rates.decrypt = MiBPerSecond(size, SecondsSince(start));
    if (!completed || asked)
        throw Error(L"DecryptFile did not complete");
    DeleteFileAt(path + L".enc");
    if (!HasContent(path, size))
        throw Error(L"DecryptFile did not restore \"" + path + L"\"");
    return rates;
}

// ---------------------------------------------------------------------------------------
// The table.

struct TableRow {
    std::string cipher;
    Rates ours;
    Rates references[kLibraryCount];
    Rates file;
};

std::string Rate(double rate) {
    char text[16];
    if (rate < 0) {
        std::snprintf(text, sizeof text, "%9s", "-");
    } else {
        std::snprintf(text, sizeof text, "%9.1f", rate);
    }
    return text;
}

std::string RateAndRatio(double theirs, double ours, char mark) {
    if (mark == '?')
        return "   failed        ";
    if (theirs < 0)
        return Rate(-1) + "        ";
    char text[32];
    std::snprintf(text, sizeof text, "%s %6.2f%c", Rate(theirs).c_str(), ours / theirs, mark);
    return text;
}

void PrintHeader() {
    std::printf("%-10s %-8s %9s", "cipher", "", "ours");
    for (const char* name : kLibraryNames)
        std::printf(" %9s %7s", name, "");
    std::printf(" %11s\n%-10s %-8s %9s", "whole file", "", "", "MiB/s");
    for (std::size_t i = 0; i < kLibraryCount; ++i)
        std::printf(" %9s %7s", "MiB/s", "ratio");
    std::printf(" %11s\n", "MiB/s");
}

void PrintRow(const TableRow& row) {
    const bool encrypt[] = {true, false};
    for (const bool e : encrypt) {
        const double ours = e ? row.ours.encrypt : row.ours.decrypt;
        std::printf("%-10s %-8s %s", e ? row.cipher.c_str() : "", e ? "encrypt" : "decrypt",
                    Rate(ours).c_str());
        for (const Rates& r : row.references) {
            const double theirs = e ? r.encrypt : r.decrypt;
            std::printf(" %s", RateAndRatio(theirs, ours, r.mark).c_str());
        }
        std::printf("  %s\n", Rate(e ? row.file.encrypt : row.file.decrypt).c_str());
    }
    std::fflush(stdout);
}

void WriteTsvRow(std::FILE* out, const TableRow& row) {
    std::fprintf(out, "%s\t%.1f\t%.1f", row.cipher.c_str(), row.ours.encrypt, row.ours.decrypt);
    for (const Rates& r : row.references) {
        const bool failed = r.mark == '?';
        std::fprintf(out, "\t%.1f\t%.1f\t%c", failed ? -1 : r.encrypt, failed ? -1 : r.decrypt,
                     r.mark == ' ' ? '=' : r.mark);
    }
    std::fprintf(out, "\n");
    std::fflush(out);
}

void PrintNotes(const std::vector<std::string>& notes) {
    std::printf(
        "\nratio = ours / library, above 1 ours is faster. The libraries may use instructions "
        "of\nthis processor (AES-NI, SIMD) that the portable code does not.\n");
    for (const std::string& note : notes)
        std::printf("%s\n", note.c_str());
}

// ---------------------------------------------------------------------------------------

// A folder of our own under `parent`, removed with all it holds when the object goes.
class TScratchFolder {
public:
    explicit TScratchFolder(const std::wstring& parent) {
        std::random_device random;
        for (int attempt = 0; path_.empty(); ++attempt) {
            const std::wstring candidate = parent + kPathDelim + L"dovrel-bench-cipher-" +
                                           std::to_wstring(random() % 1000000000u);
            if (std::filesystem::create_directory(Native(candidate)))
                path_ = candidate + kPathDelim;
            else if (attempt == 100)
                throw Error(L"Cannot create a folder in \"" + parent + L"\"");
        }
    }
    ~TScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Native(path_), ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }

private:
    static std::filesystem::path Native(const std::wstring& path) {
#ifdef _WIN32
        return path;
#else
        return ToUtf8(path);
#endif
    }

    std::wstring path_;
};

bool Selected(const Settings& settings, const std::wstring& cipher) {
    return settings.only.empty() || settings.only == cipher;
}

void MeasureReferences(const std::wstring& cipher, const Bytes& key, const Bytes& iv,
                       Buffers& buffers, int repeat, TableRow& row,
                       std::vector<std::string>& notes) {
    for (const ReferenceRow& reference : ReferenceRows()) {
        if (reference.cipher != cipher)
            continue;
        Rates& rates = row.references[reference.library];
        const std::string where = row.cipher + " / " + kLibraryNames[reference.library];
        try {
            rates = MeasureReference(reference, key, iv, buffers, repeat);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", where.c_str(), e.what());
            rates.mark = '?';
        }
        if (rates.mark == '*')
            notes.push_back("* " + where + ": " + reference.keyedOtherwise);
        if (rates.mark == '!')
            notes.push_back("! " + where + ": keyed alike, but its output differs from ours");
    }
}

int Run(const Settings& settings) {
    TScratchFolder scratch(settings.folder);
    InitAppFolders(scratch.Path());
    BuildCipherCatalogue();
    Buffers buffers;
    buffers.plain.resize(settings.bufferSize);
    FillContent(buffers.plain.data(), buffers.plain.size(), 0);
    const std::wstring path = scratch.Path() + L"bench.bin";
    bool fileWritten = false;

    std::printf(
        "Chained calls of %zu bytes in place over %zu MiB, best of %d; whole files of "
        "%lld MiB\nin %s (source in the page cache, output flushed to the device).\n\n",
        kCallBytes, settings.bufferSize / kMiB, settings.repeat,
        static_cast<long long>(settings.fileSize / static_cast<std::int64_t>(kMiB)),
        ToUtf8(scratch.Path()).c_str());
    PrintHeader();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> tsv(nullptr, &std::fclose);
    if (!settings.tsv.empty()) {
        tsv.reset(std::fopen(settings.tsv.c_str(), "w"));
        if (!tsv)
            throw std::runtime_error("cannot write " + settings.tsv);
    }
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < kCipherCount; ++i) {
        const std::wstring name = CipherListText(i);
        if (!Selected(settings, name))
            continue;
        TCryptoAlgorithm& entry = *CipherCatalogue()[i];
        TBlockCipher& cipher = *entry.Cipher();
        TableRow row;
        row.cipher = ToUtf8(name);
        Bytes iv;
        row.ours = MeasureOurs(cipher, buffers, settings.repeat, iv);
        MeasureReferences(name, ProgramKey(cipher), iv, buffers, settings.repeat, row, notes);
        if (settings.allFiles || name == L"RIJNDAEL") {
            if (!fileWritten)
                WriteContentFile(path, settings.fileSize);
            fileWritten = true;
            row.file = MeasureWholeFile(entry, path, settings.fileSize);
        }
        PrintRow(row);
        if (tsv)
            WriteTsvRow(tsv.get(), row);
    }
    PrintNotes(notes);
    ReleaseCipherCatalogue();
    return 0;
}

bool KnownCipher(const std::wstring& name) {
    for (std::size_t i = 0; i < kCipherCount; ++i) {
        if (name == CipherListText(i))
            return true;
    }
    return false;
}

bool ParseCount(const char* text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return *text != '\0' && *end == '\0' && value > 0;
}

bool Parse(int argc, char** argv, Settings& settings) {
#ifdef _WIN32
    settings.folder = L".";
#else
    settings.folder = L"/var/tmp";
#endif
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        long long n = 0;
        if (flag == "--all-files") {
            settings.allFiles = true;
            continue;
        }
        if (i + 1 == argc)
            return false;
        const char* value = argv[++i];
        if (flag == "--folder") {
            settings.folder = FromUtf8(value);
        } else if (flag == "--cipher") {
            settings.only = FromUtf8(value);
        } else if (flag == "--tsv") {
            settings.tsv = value;
        } else if (!ParseCount(value, n)) {
            return false;
        } else if (flag == "--mib") {
            settings.fileSize = n * static_cast<std::int64_t>(kMiB);
        } else if (flag == "--buffer-mib") {
            settings.bufferSize = static_cast<std::size_t>(n) * kMiB;
        } else if (flag == "--repeat") {
            settings.repeat = static_cast<int>(n);
        } else {
            return false;
        }
    }
    return settings.only.empty() || KnownCipher(settings.only);
}

}  // namespace
}  // namespace dovrel

int main(int argc, char** argv) {
    dovrel::Settings settings;
    if (!dovrel::Parse(argc, argv, settings)) {
        std::fprintf(stderr,
                     "usage: dovrel_bench_cipher [--folder DIR] [--mib N] [--buffer-mib N] "
                     "[--repeat N] [--cipher NAME] [--all-files] [--tsv FILE]\n");
        return 2;
    }
    try {
        return dovrel::Run(settings);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dovrel_bench_cipher: %s\n", e.what());
        return 1;
    }
}
