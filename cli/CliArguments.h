#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace dovrel::cli {

// What the command line asked for. Passwords never come from it, only where they are kept.
struct TCliOptions {
    // "encrypt", "decrypt", "shred", "ciphers", "schemes", "hide", "show", "hidden"; empty for
    // --help
    std::wstring command;
    std::vector<std::wstring> paths;  // for show: the indices of the items to show
    std::wstring cipher;              // list text, identifier or index; empty for the first entry
    std::wstring scheme;              // list text or index; empty for the first scheme
    std::wstring passwordFile;
    bool passwordStdin = false;
    std::wstring mainPasswordFile;
    bool all = false;  // show every hidden item
    bool deleteSource = false;
    bool quiet = false;
    bool dryRun = false;  // count what the command would work on, change nothing
    bool help = false;
    bool version = false;
};

// A command line that cannot be run; the text says why.
class TUsageError : public std::runtime_error {
public:
    explicit TUsageError(std::wstring message)
        : std::runtime_error("usage"), message_(std::move(message)) {}
    const std::wstring& Message() const noexcept { return message_; }

private:
    std::wstring message_;
};

// Raises TUsageError for an unknown command or option, a missing value, or an option the
// command does not take.
TCliOptions ParseArguments(const std::vector<std::wstring>& args);

}  // namespace dovrel::cli
