#include "engine/Operations.h"

#include "app/LangManager.h"
#include "app/MessageFormat.h"
#include "crypto/CryptoAlgorithms.h"
#include "engine/UserInterface.h"
#include "hiding/HideShowRoutines.h"
#include "platform/File.h"
#include "platform/FileErrors.h"
#include "shred/ShredAlgorithms.h"

namespace dovrel {

namespace {

// The source goes only after its procedure completed and the output is on disk. One that
// cannot be deleted is reported: the user asked for it to be gone.
void DeleteSourceIfDone(bool completed, bool deleteSource, const std::wstring& path) {
    if (!completed || !deleteSource)
        return;
    if (const unsigned code = DeleteFileAt(path))
        throw DeleteFileError(path, code);
}

}  // namespace

void TEncrypt::ProcessItem(const std::wstring& path) {
    const bool completed = Algorithm->EncryptFile(path, Password, Events);
    DeleteSourceIfDone(completed, DeleteSource, path);
}

std::wstring TEncrypt::GetCompletionText() const {
    return LookupMessage(L"Encryption_completed");
}

std::wstring TEncrypt::GetDoneWord() const {
    return LookupMessage(L"encrypted");
}

TCryptoAlgorithm* TDecrypt::DetectAlgorithm(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    TCipherId id;
    file.ReadBuffer(id.data(), id.size());
    return FindCipherById(id);
}

void TDecrypt::ProcessItem(const std::wstring& path) {
    TCryptoAlgorithm* found = DetectAlgorithm(path);
    if (found == nullptr) {
        UserInterface().ShowMessage(
            FormatMessageText(LookupMessage(L"Encryption_algo_not_found"), path));
        return;
    }
    Algorithm = found;
    const bool completed = Algorithm->DecryptFile(path, Password, Events);
    DeleteSourceIfDone(completed, DeleteSource, path);
}

std::wstring TDecrypt::GetCompletionText() const {
    return LookupMessage(L"Decryption_completed");
}

std::wstring TDecrypt::GetDoneWord() const {
    return LookupMessage(L"decrypted");
}

void TShred::ProcessItem(const std::wstring& path) {
    Scheme->ShredFile(path, Events);
}

std::wstring TShred::GetCompletionText() const {
    return LookupMessage(L"Shredding_completed");
}

std::wstring TShred::GetDoneWord() const {
    return LookupMessage(L"shredded");
}

void THide::ProcessItem(const std::wstring& path) {
    if (!guard_)
        guard_.emplace(THidingGuard::Acquire());
    ProcessHideItem(*guard_, path);
}

std::wstring THide::GetCompletionText() const {
    return LookupMessage(L"Hide_operation_completed");
}

std::wstring THide::GetDoneWord() const {
    return LookupMessage(L"hidden");
}

void TShow::ProcessItem(const std::wstring& path) {
    if (!guard_)
        guard_.emplace(THidingGuard::AcquireNow());
    ProcessShowItem(*guard_, path, ItemIndex);
}

std::wstring TShow::GetCompletionText() const {
    return LookupMessage(L"Show_operation_completed");
}

std::wstring TShow::GetDoneWord() const {
    return LookupMessage(L"shown");
}

std::wstring SummarySentence(const TOperation& operation, std::int64_t count) {
    const wchar_t* key = count <= 1 ? L"File_was" : L"Files_were";
    return FormatMessageText(LookupMessage(key), count, operation.GetDoneWord());
}

}  // namespace dovrel
