#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/OperationEvents.h"
#include "hiding/HidingGuard.h"

namespace dovrel {

class TCryptoAlgorithm;
class TShredAlgorithm;

// One operation kind with the settings the user chose; applied to one item at a time by a
// run, which sets the three callbacks before the first item.
class TOperation {
public:
    TOperation(std::wstring name, std::wstring description)
        : Name(std::move(name)), Description(std::move(description)) {}
    virtual ~TOperation() = default;
    TOperation(const TOperation&) = delete;
    TOperation& operator=(const TOperation&) = delete;

    virtual void ProcessItem(const std::wstring& path) = 0;
    // Headline of the finish page and the past-tense word of the file-count sentence, in
    // the current language.
    virtual std::wstring GetCompletionText() const = 0;
    virtual std::wstring GetDoneWord() const = 0;

    TOperationEvents Events;
    std::wstring Name;         // display name; empty for operations a run uses
    std::wstring Description;  // display description; empty likewise
};

// Encryption and decryption: a cipher entry, the password bytes in the ANSI code page, and
// whether a source is deleted once its procedure completed.
class TCrypt : public TOperation {
public:
    using TOperation::TOperation;

    TCryptoAlgorithm* Algorithm = nullptr;
    std::string Password;
    bool DeleteSource = false;
};

class TEncrypt final : public TCrypt {
public:
    using TCrypt::TCrypt;

    void ProcessItem(const std::wstring& path) override;
    std::wstring GetCompletionText() const override;
    std::wstring GetDoneWord() const override;
};

class TDecrypt final : public TCrypt {
public:
    using TCrypt::TCrypt;

    // Picks the entry named by the file's first three bytes, tells the user when none is,
    // then decrypts. A password that fits after a retry is kept for the following files.
    void ProcessItem(const std::wstring& path) override;
    std::wstring GetCompletionText() const override;
    std::wstring GetDoneWord() const override;

    // The catalogue entry whose identifier opens the file; none when no entry has it.
    static TCryptoAlgorithm* DetectAlgorithm(const std::wstring& path);
};

// Shredding: the scheme overwrites each file pass after pass and deletes it.
class TShred final : public TOperation {
public:
    using TOperation::TOperation;

    void ProcessItem(const std::wstring& path) override;
    std::wstring GetCompletionText() const override;
    std::wstring GetDoneWord() const override;

    TShredAlgorithm* Scheme = nullptr;
};

// Hiding: a drive, folder or file told apart by the path's text, and recorded in the
// hidden-items store. The run holds the hiding guard from its first item until the
// operation is released at the run's end, so no show changes the store meanwhile.
class THide final : public TOperation {
public:
    using TOperation::TOperation;

    void ProcessItem(const std::wstring& path) override;
    std::wstring GetCompletionText() const override;
    std::wstring GetDoneWord() const override;

private:
    std::optional<THidingGuard> guard_;
};

// Showing the store's item at ItemIndex, whose stored path is the argument, and dropping its
// record. Works on the window thread: the guard is taken at the first item without waiting,
// so a show during a hide run raises instead of blocking the window.
class TShow final : public TOperation {
public:
    using TOperation::TOperation;

    void ProcessItem(const std::wstring& path) override;
    std::wstring GetCompletionText() const override;
    std::wstring GetDoneWord() const override;

    std::int32_t ItemIndex = 0;  // set by the caller before every ProcessItem

private:
    std::optional<THidingGuard> guard_;
};

// "1 file was encrypted", "218 files were encrypted".
std::wstring SummarySentence(const TOperation& operation, std::int64_t count);

}  // namespace dovrel
