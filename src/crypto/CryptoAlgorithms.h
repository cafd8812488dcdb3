#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "crypto/BlockCipher.h"
#include "crypto/EncryptedFile.h"
#include "engine/OperationEvents.h"

namespace dovrel {

class TIniFile;

// One entry of the cipher catalogue: a cipher, created without a key, and its identifier.
class TCryptoAlgorithm {
public:
    TCryptoAlgorithm(std::unique_ptr<TBlockCipher> cipher, TCipherId id);
    virtual ~TCryptoAlgorithm() = default;
    TCryptoAlgorithm(const TCryptoAlgorithm&) = delete;
    TCryptoAlgorithm& operator=(const TCryptoAlgorithm&) = delete;

    // Writes path + ".enc". Both return true when the procedure completed, false when it
    // was cancelled or the user gave up on the password; file errors are raised.
    virtual bool EncryptFile(const std::wstring& path, std::string& password,
                             const TOperationEvents& events);
    // Writes the plain file under its stored name beside the ".enc" file.
    virtual bool DecryptFile(const std::wstring& path, std::string& password,
                             const TOperationEvents& events);
    // How many complete passes the procedures make over one file.
    virtual int PassCount() const { return 1; }

    TBlockCipher* Cipher() const noexcept { return cipher_.get(); }
    const TCipherId& Id() const noexcept { return id_; }
    std::wstring IdText() const;

    // The procedures with the progress deltas divided by `passCount`, for an entry that runs
    // this one as one of its passes.
    bool EncryptPass(const std::wstring& path, std::string& password,
                     const TOperationEvents& events, int passCount);
    bool DecryptPass(const std::wstring& path, std::string& password,
                     const TOperationEvents& events, int passCount);

private:
    std::unique_ptr<TBlockCipher> cipher_;
    TCipherId id_;
};

// "All at once": every cipher of the catalogue in turn over the same file.
class TAllAtOnceAlgorithm final : public TCryptoAlgorithm {
public:
    TAllAtOnceAlgorithm();

    bool EncryptFile(const std::wstring& path, std::string& password,
                     const TOperationEvents& events) override;
    bool DecryptFile(const std::wstring& path, std::string& password,
                     const TOperationEvents& events) override;
    int PassCount() const override;
};

// The catalogue: 18 ciphers then "All at once", in the order of the settings page's list.
inline constexpr std::size_t kCipherCount = 18;
inline constexpr std::size_t kCatalogueSize = kCipherCount + 1;

void BuildCipherCatalogue();
void ReleaseCipherCatalogue();
const std::vector<std::unique_ptr<TCryptoAlgorithm>>& CipherCatalogue();
// The list text of entry `index` ("Blowfish" ... "All at once").
const wchar_t* CipherListText(std::size_t index);
// The first entry whose identifier equals the three bytes, "ALL" included; none otherwise.
TCryptoAlgorithm* FindCipherById(const TCipherId& id);
// The entry's text in section "Algos" of the description file, read anew at every call.
std::wstring GetCipherDescription(const TCryptoAlgorithm& entry);

}  // namespace dovrel
