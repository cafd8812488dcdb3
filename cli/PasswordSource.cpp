#include "PasswordSource.h"

#include <cstdio>

#include "Terminal.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/Text.h"

namespace dovrel::cli {

namespace {

std::string ReadWholeFile(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

std::string ReadStdinLine() {
    std::string line;
    int c;
    while ((c = std::getchar()) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (c == EOF && line.empty())
        throw Error(L"no password on standard input");
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::wstring Prompt(const std::wstring& text) {
    const auto typed = ReadHiddenLine(text);
    if (!typed || InterruptRequested())
        throw Error(L"no password entered");
    return *typed;
}

std::string PromptPassword(bool confirm) {
    const std::wstring first = Prompt(L"Password: ");
    if (confirm && Prompt(L"Password again: ") != first)
        throw Error(L"the two passwords differ");
    return ToAnsi(first);
}

}  // namespace

std::string ObtainPassword(const TCliOptions& options, bool confirm) {
    if (!options.passwordFile.empty())
        return ReadWholeFile(options.passwordFile);
    if (options.passwordStdin)
        return ReadStdinLine();
    if (!StdinIsTerminal())
        throw TUsageError(
            L"no password: give --password-file or --password-stdin, or run it at a terminal");
    return PromptPassword(confirm);
}

}  // namespace dovrel::cli
