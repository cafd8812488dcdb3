#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

// The commands the context menu offers and the start of the main program. These classes
// are the library's own; the main program's operation classes of the same names do the
// work once it runs.
namespace dovrel::shellext {

// Asks the shell to open `file` with `parameters` in the working folder `folder`.
using TShellStart = std::function<void(const std::wstring& file, const std::wstring& parameters,
                                       const std::wstring& folder)>;

// What starting the main program needs of the system.
struct TLaunchContext {
    TRegistry& registry;  // holds "AppPath" under the current user
    TShellStart start;
};

class TOperation {
public:
    virtual ~TOperation() = default;

    // Whether the command is offered for one selected path.
    virtual bool IsApplicable(const std::wstring& path) const = 0;
    // Starts the main program with this command's switch.
    virtual void Execute(const TLaunchContext& context) const = 0;
    // Orders the offered commands and keeps each at most once.
    virtual std::wstring_view ClassName() const = 0;

    int ImageIndex() const noexcept { return imageIndex_; }
    const std::wstring& Caption() const noexcept { return caption_; }
    const std::wstring& HelpText() const noexcept { return helpText_; }

    // Comparisons with ".enc" respect letter case.
    static bool IsFolder(const std::wstring& path);
    static bool IsPlainFile(const std::wstring& path);
    static bool IsEncryptedFile(const std::wstring& path);
    // Looks only directly inside the folder, at entries of every kind.
    static bool FolderHasEncryptedFiles(const std::wstring& path);
    static bool IsDriveRoot(const std::wstring& path);

protected:
    TOperation(int imageIndex, std::wstring caption, std::wstring helpText);

    // Starts the copy of the main program that the user last ran, with `switchText` as its
    // only argument; whether the start worked is not examined.
    static void RunMainProgram(const std::wstring& switchText, const TLaunchContext& context);

private:
    int imageIndex_;
    std::wstring caption_;
    std::wstring helpText_;
};

class TDecrypt final : public TOperation {
public:
    explicit TDecrypt(int imageIndex);
    bool IsApplicable(const std::wstring& path) const override;
    void Execute(const TLaunchContext& context) const override;
    std::wstring_view ClassName() const override { return L"TDecrypt"; }
};

class TEncrypt final : public TOperation {
public:
    explicit TEncrypt(int imageIndex);
    bool IsApplicable(const std::wstring& path) const override;
    void Execute(const TLaunchContext& context) const override;
    std::wstring_view ClassName() const override { return L"TEncrypt"; }
};

class THide final : public TOperation {
public:
    explicit THide(int imageIndex);
    bool IsApplicable(const std::wstring& path) const override;
    void Execute(const TLaunchContext& context) const override;
    std::wstring_view ClassName() const override { return L"THide"; }
};

class TShred final : public TOperation {
public:
    explicit TShred(int imageIndex);
    bool IsApplicable(const std::wstring& path) const override;
    void Execute(const TLaunchContext& context) const override;
    std::wstring_view ClassName() const override { return L"TShred"; }
};

using TOperationList = std::vector<std::unique_ptr<TOperation>>;

// Decrypt, Encrypt, Hide and Shred with image indexes 0 to 3, built on first use and kept
// for the life of the library; only read afterwards, from any thread.
const TOperationList& OperationList();

}  // namespace dovrel::shellext
