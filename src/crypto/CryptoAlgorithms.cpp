#include "crypto/CryptoAlgorithms.h"

#include "app/AppFolders.h"
#include "app/OptionsUnit.h"
#include "crypto/ciphers/Blowfish.h"
#include "crypto/ciphers/Cast128.h"
#include "crypto/ciphers/Cast256.h"
#include "crypto/ciphers/Des.h"
#include "crypto/ciphers/Ice.h"
#include "crypto/ciphers/Idea.h"
#include "crypto/ciphers/Mars.h"
#include "crypto/ciphers/Misty1.h"
#include "crypto/ciphers/Rc2.h"
#include "crypto/ciphers/Rc5.h"
#include "crypto/ciphers/Rc6.h"
#include "crypto/ciphers/Rijndael.h"
#include "crypto/ciphers/Serpent.h"
#include "crypto/ciphers/Tea.h"
#include "crypto/ciphers/TripleDes.h"
#include "crypto/ciphers/Twofish.h"
#include "platform/IniFile.h"

namespace dovrel {

namespace {

struct CatalogueRow {
    const wchar_t* listText;
    TCipherId id;
    std::unique_ptr<TBlockCipher> (*create)();
};

template <typename T>
std::unique_ptr<TBlockCipher> Make() {
    return std::make_unique<T>();
}

// The order is the order of the settings page's list; a row's index is its entry's index.
const CatalogueRow kRows[kCipherCount] = {
    {L"Blowfish", {'B', 'F', 'S'}, &Make<TBlowfish>},
    {L"CAST-128", {'C', 'S', '1'}, &Make<TCast128>},
    {L"CAST-256", {'C', 'S', '2'}, &Make<TCast256>},
    {L"DES", {'D', 'E', 'S'}, &Make<TDes>},
    {L"3DES", {'3', 'D', 'E'}, &Make<TTripleDes>},
    {L"ICE", {'I', 'C', 'E'}, &Make<TIce>},
    {L"Thin ICE", {'T', 'I', 'C'}, &Make<TThinIce>},
    {L"ICE2", {'I', 'C', '2'}, &Make<TIce2>},
    {L"IDEA", {'I', 'D', 'E'}, &Make<TIdea>},
    {L"MARS", {'M', 'A', 'R'}, &Make<TMars>},
    {L"MISTY 1", {'M', 'I', '1'}, &Make<TMisty1>},
    {L"RC2", {'R', 'C', '2'}, &Make<TRc2>},
    {L"RC5", {'R', 'C', '5'}, &Make<TRc5>},
    {L"RC6", {'R', 'C', '6'}, &Make<TRc6>},
    {L"RIJNDAEL", {'R', 'I', 'J'}, &Make<TRijndael>},
    {L"Serpent", {'S', 'E', 'R'}, &Make<TSerpent>},
    {L"TEA", {'T', 'E', 'A'}, &Make<TTea>},
    {L"TWOFISH", {'T', 'F', 'S'}, &Make<TTwofish>},
};

std::vector<std::unique_ptr<TCryptoAlgorithm>> catalogue;
std::unique_ptr<TIniFile> descriptions;

// The cipher holds a key only while one file is processed; it is wiped on every way out.
class TKeyScope {
public:
    TKeyScope(TBlockCipher& cipher, const std::string& password) : cipher_(cipher) {
        cipher_.SetKeyFromPassword(AsBytes(password));
    }
    ~TKeyScope() { cipher_.WipeKey(); }
    TKeyScope(const TKeyScope&) = delete;
    TKeyScope& operator=(const TKeyScope&) = delete;

private:
    TBlockCipher& cipher_;
};

}  // namespace

TCryptoAlgorithm::TCryptoAlgorithm(std::unique_ptr<TBlockCipher> cipher, TCipherId id)
    : cipher_(std::move(cipher)), id_(id) {}

std::wstring TCryptoAlgorithm::IdText() const {
    return std::wstring(id_.begin(), id_.end());
}

bool TCryptoAlgorithm::EncryptFile(const std::wstring& path, std::string& password,
                                   const TOperationEvents& events) {
    return EncryptPass(path, password, events, PassCount());
}

bool TCryptoAlgorithm::DecryptFile(const std::wstring& path, std::string& password,
                                   const TOperationEvents& events) {
    return DecryptPass(path, password, events, PassCount());
}

bool TCryptoAlgorithm::EncryptPass(const std::wstring& path, std::string& password,
                                   const TOperationEvents& events, int passCount) {
    TKeyScope key(*cipher_, password);
    return WriteEncryptedFile(*cipher_, id_, path, events, passCount);
}

bool TCryptoAlgorithm::DecryptPass(const std::wstring& path, std::string& password,
                                   const TOperationEvents& events, int passCount) {
    TKeyScope key(*cipher_, password);
    return RestoreFromEncryptedFile(*cipher_, path, password, events, passCount);
}

TAllAtOnceAlgorithm::TAllAtOnceAlgorithm() : TCryptoAlgorithm(nullptr, {'A', 'L', 'L'}) {}

int TAllAtOnceAlgorithm::PassCount() const {
    return static_cast<int>(kCipherCount);
}

// Each pass writes path + ".enc" anew from the unchanged source, so the file left is the
// last cipher's. A pass that does not complete leaves the previous complete file, and the
// later passes would only stop at their first check, so the walk ends there.
bool TAllAtOnceAlgorithm::EncryptFile(const std::wstring& path, std::string& password,
                                      const TOperationEvents& events) {
    for (std::size_t i = 0; i < kCipherCount; ++i) {
        if (!catalogue[i]->EncryptPass(path, password, events, PassCount()))
            return false;
    }
    return true;
}

bool TAllAtOnceAlgorithm::DecryptFile(const std::wstring& path, std::string& password,
                                      const TOperationEvents& events) {
    bool completed = true;
    for (std::size_t i = kCipherCount; i-- > 0;) {
        completed = catalogue[i]->DecryptPass(path, password, events, PassCount()) && completed;
    }
    return completed;
}

void BuildCipherCatalogue() {
    catalogue.clear();
    const std::wstring language = TOptions().ReadString(L"LanguageID", L"1033");
    descriptions = OpenIniFile(GetAppFolder() + L"cryptos" + language + L".ini");
    for (const auto& row : kRows)
        catalogue.push_back(std::make_unique<TCryptoAlgorithm>(row.create(), row.id));
    catalogue.push_back(std::make_unique<TAllAtOnceAlgorithm>());
}

void ReleaseCipherCatalogue() {
    catalogue.clear();
    descriptions.reset();
}

const std::vector<std::unique_ptr<TCryptoAlgorithm>>& CipherCatalogue() {
    return catalogue;
}

const wchar_t* CipherListText(std::size_t index) {
    return index < kCipherCount ? kRows[index].listText : L"All at once";
}

TCryptoAlgorithm* FindCipherById(const TCipherId& id) {
    for (const auto& entry : catalogue) {
        if (entry->Id() == id)
            return entry.get();
    }
    return nullptr;
}

std::wstring GetCipherDescription(const TCryptoAlgorithm& entry) {
    return descriptions ? descriptions->ReadString(L"Algos", entry.IdText(), L"") : std::wstring();
}

}  // namespace dovrel
