#include "shellext/Operations.h"

#include "shellext/ExtensionIdentity.h"

namespace dovrel::shellext {

namespace {

std::wstring CaptionOf(const wchar_t* verb) {
    return std::wstring(verb) + kDisplayName + L"...";
}

}  // namespace

TOperation::TOperation(int imageIndex, std::wstring caption, std::wstring helpText)
    : imageIndex_(imageIndex), caption_(std::move(caption)), helpText_(std::move(helpText)) {}

void TOperation::RunMainProgram(const std::wstring& switchText, const TLaunchContext& context) {
    // Without the key or its value the start names the program alone and fails quietly.
    const std::wstring appPath =
        context.registry.ReadString(TRootKey::CurrentUser, kProgramKey, kAppPathValue)
            .value_or(std::wstring());
    context.start(appPath + kMainProgramFile, switchText, appPath);
}

TDecrypt::TDecrypt(int imageIndex)
    : TOperation(imageIndex, CaptionOf(L"Decrypt with "), L"Decrypt previously encrypted files") {}

bool TDecrypt::IsApplicable(const std::wstring& path) const {
    return FolderHasEncryptedFiles(path) || IsEncryptedFile(path);
}

void TDecrypt::Execute(const TLaunchContext& context) const {
    RunMainProgram(L"/decrypt", context);
}

TEncrypt::TEncrypt(int imageIndex)
    : TOperation(imageIndex, CaptionOf(L"Encrypt with "),
                 L"Encrypt files and change their extensions to .enc") {}

bool TEncrypt::IsApplicable(const std::wstring& path) const {
    return IsFolder(path) || IsPlainFile(path) || IsEncryptedFile(path);
}

void TEncrypt::Execute(const TLaunchContext& context) const {
    RunMainProgram(L"/encrypt", context);
}

THide::THide(int imageIndex)
    : TOperation(imageIndex, CaptionOf(L"Hide with "),
                 L"Hide files, folders or drives from Explorer") {}

bool THide::IsApplicable(const std::wstring& path) const {
    return IsFolder(path) || IsPlainFile(path) || IsEncryptedFile(path) || IsDriveRoot(path);
}

void THide::Execute(const TLaunchContext& context) const {
    RunMainProgram(L"/hide", context);
}

TShred::TShred(int imageIndex)
    : TOperation(imageIndex, CaptionOf(L"Shred with "), L"Securely delete files") {}

bool TShred::IsApplicable(const std::wstring& path) const {
    return IsFolder(path) || IsPlainFile(path) || IsEncryptedFile(path);
}

void TShred::Execute(const TLaunchContext& context) const {
    RunMainProgram(L"/shred", context);
}

const TOperationList& OperationList() {
    static const TOperationList list = [] {
        TOperationList operations;
        operations.push_back(std::make_unique<TDecrypt>(0));
        operations.push_back(std::make_unique<TEncrypt>(1));
        operations.push_back(std::make_unique<THide>(2));
        operations.push_back(std::make_unique<TShred>(3));
        return operations;
    }();
    return list;
}

}  // namespace dovrel::shellext
