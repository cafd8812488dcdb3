#include "MainPassPrompt.h"

#include "Terminal.h"
#include "platform/File.h"
#include "platform/Text.h"

namespace dovrel::cli {

std::optional<std::wstring> TMainPassPrompt::Entry(const std::wstring& prompt) {
    if (fromFile_) {
        if (fileUsed_)
            return std::nullopt;
        fileUsed_ = true;
        return fromFile_;
    }
    auto typed = ReadHiddenLine(prompt);
    if (InterruptRequested())
        return std::nullopt;
    return typed;
}

TModalResult TMainPassPrompt::ShowModal() {
    const auto entry = Entry(L"Main password: ");
    if (!entry)
        return TModalResult::mrCancel;
    typed_ = *entry;
    return TModalResult::mrOk;
}

TModalResult TMainPassPrompt::ShowModal(const TNewPassHandler& onOk) {
    for (;;) {
        const auto first = Entry(L"New main password: ");
        if (!first)
            return TModalResult::mrCancel;
        // A file holds the password once; it stands for both entries.
        const auto again = fromFile_ ? first : Entry(L"New main password again: ");
        if (!again)
            return TModalResult::mrCancel;
        if (onOk(*first, *again))
            return TModalResult::mrOk;
    }
}

void TMainPassPrompt::ShowError(const std::wstring& text) {
    WriteErr(L"dovrel-cli: " + text + L"\n");
}

std::wstring ReadMainPasswordFile(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), bytes.size());
    if (!bytes.empty() && bytes.back() == '\n')
        bytes.pop_back();
    if (!bytes.empty() && bytes.back() == '\r')
        bytes.pop_back();
    return FromAnsi(bytes);
}

}  // namespace dovrel::cli
