#include "CliCommands.h"

#include <cwctype>
#include <string>

#include "CliHiding.h"
#include "CliRun.h"
#include "PasswordSource.h"
#include "Terminal.h"
#include "crypto/CryptoAlgorithms.h"
#include "engine/FilesIterationThread.h"
#include "engine/Operations.h"
#include "shred/ShredAlgorithms.h"

namespace dovrel::cli {

namespace {

bool SameText(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i]))
            return false;
    return true;
}

// A list index written in decimal digits only, within `count`.
bool ParseIndex(const std::wstring& text, std::size_t count, std::size_t& index) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of(L"0123456789") != text.npos)
        return false;
    index = std::stoul(text);
    return index < count;
}

TCryptoAlgorithm* ChooseCipher(const std::wstring& wanted) {
    const auto& catalogue = CipherCatalogue();
    if (wanted.empty())
        return catalogue.front().get();
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        if (SameText(wanted, CipherListText(i)) || SameText(wanted, catalogue[i]->IdText()))
            return catalogue[i].get();
    std::size_t index;
    if (ParseIndex(wanted, catalogue.size(), index))
        return catalogue[index].get();
    throw TUsageError(L"no cipher \"" + wanted + L"\"; see dovrel-cli ciphers");
}

TShredAlgorithm* ChooseScheme(const std::wstring& wanted) {
    const auto& catalogue = ShredCatalogue();
    if (wanted.empty())
        return catalogue.front().get();
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        if (SameText(wanted, catalogue[i]->ClassName()) || SameText(wanted, ShredListText(i)))
            return catalogue[i].get();
    std::size_t index;
    if (ParseIndex(wanted, catalogue.size(), index))
        return catalogue[index].get();
    throw TUsageError(L"no scheme \"" + wanted + L"\"; see dovrel-cli schemes");
}

int ListCiphers() {
    const auto& catalogue = CipherCatalogue();
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        WriteOut(std::to_wstring(i) + L"\t" + catalogue[i]->IdText() + L"\t" + CipherListText(i) +
                 L"\t" + GetCipherDescription(*catalogue[i]) + L"\n");
    return kExitOk;
}

int ListSchemes() {
    const auto& catalogue = ShredCatalogue();
    for (std::size_t i = 0; i < catalogue.size(); ++i)
        WriteOut(std::to_wstring(i) + L"\t" + catalogue[i]->ClassName() + L"\t" + ShredListText(i) +
                 L"\t" + GetShredDescription(*catalogue[i]) + L"\n");
    return kExitOk;
}

unsigned RunFlags(const TCliOptions& options) {
    return ExpandFolders | (options.dryRun ? CountOnly : 0u);
}

int RunCrypt(const TCliOptions& options, std::unique_ptr<TCrypt> operation) {
    const bool encrypting = dynamic_cast<TEncrypt*>(operation.get()) != nullptr;
    if (encrypting)
        operation->Algorithm = ChooseCipher(options.cipher);
    operation->DeleteSource = options.deleteSource;
    if (!options.dryRun)
        operation->Password = ObtainPassword(options, encrypting);
    TRunFrontEnd front(options);
    return RunOperation(std::move(operation), options.paths, front.status, front.ui,
                        RunFlags(options));
}

int RunShred(const TCliOptions& options) {
    auto operation = std::make_unique<TShred>(L"", L"");
    operation->Scheme = ChooseScheme(options.scheme);
    TRunFrontEnd front(options);
    return RunOperation(std::move(operation), options.paths, front.status, front.ui,
                        RunFlags(options));
}

}  // namespace

int RunCommand(const TCliOptions& options) {
    if (options.command == L"encrypt")
        return RunCrypt(options, std::make_unique<TEncrypt>(L"", L""));
    if (options.command == L"decrypt")
        return RunCrypt(options, std::make_unique<TDecrypt>(L"", L""));
    if (options.command == L"shred")
        return RunShred(options);
    if (options.command == L"ciphers")
        return ListCiphers();
    if (options.command == L"schemes")
        return ListSchemes();
    if (options.command == L"hide" || options.command == L"show" || options.command == L"hidden")
        return RunHidingCommand(options);
    throw TUsageError(L"unknown command \"" + options.command + L"\"");
}

}  // namespace dovrel::cli
