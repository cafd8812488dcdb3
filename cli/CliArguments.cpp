#include "CliArguments.h"

#include <algorithm>
#include <array>

namespace dovrel::cli {

namespace {

struct TCommandRules {
    const wchar_t* name;
    bool takesPaths = false;  // for show: the indices of the hidden items
    bool takesPassword = false;
    bool takesDelete = false;
    bool takesCipher = false;
    bool takesScheme = false;
    bool takesMainPassword = false;
    bool takesAll = false;
    bool takesDryRun = false;
};

constexpr std::array<TCommandRules, 8> kCommands = {{
    {.name = L"encrypt",
     .takesPaths = true,
     .takesPassword = true,
     .takesDelete = true,
     .takesCipher = true,
     .takesDryRun = true},
    {.name = L"decrypt",
     .takesPaths = true,
     .takesPassword = true,
     .takesDelete = true,
     .takesDryRun = true},
    {.name = L"shred", .takesPaths = true, .takesScheme = true, .takesDryRun = true},
    {.name = L"ciphers"},
    {.name = L"schemes"},
    {.name = L"hide", .takesPaths = true, .takesMainPassword = true},
    {.name = L"show", .takesPaths = true, .takesMainPassword = true, .takesAll = true},
    {.name = L"hidden", .takesMainPassword = true},
}};

const TCommandRules* FindCommand(const std::wstring& name) {
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [&](const TCommandRules& c) { return name == c.name; });
    return it == kCommands.end() ? nullptr : &*it;
}

class TParser {
public:
    TParser(const std::vector<std::wstring>& args, const TCommandRules& rules, TCliOptions& out)
        : args_(args), rules_(rules), out_(out) {}

    void Parse(std::size_t first) {
        bool optionsEnded = false;
        for (i_ = first; i_ < args_.size(); ++i_) {
            const std::wstring& arg = args_[i_];
            if (optionsEnded || arg.size() < 2 || arg[0] != L'-')
                AddPath(arg);
            else if (arg == L"--")
                optionsEnded = true;
            else
                Option(arg);
        }
        if (rules_.takesAll && !out_.help && out_.all == !out_.paths.empty())
            throw TUsageError(L"show needs either --all or the indices of hidden items");
        if (!out_.help && !rules_.takesAll && rules_.takesPaths && out_.paths.empty())
            throw TUsageError(std::wstring(rules_.name) + L" needs at least one path");
        if (!out_.passwordFile.empty() && out_.passwordStdin)
            throw TUsageError(L"--password-file and --password-stdin exclude each other");
    }

private:
    void AddPath(const std::wstring& arg) {
        if (!rules_.takesPaths)
            throw TUsageError(std::wstring(rules_.name) + L" takes no paths");
        out_.paths.push_back(arg);
    }

    void Option(const std::wstring& arg) {
        if (arg == L"--help" || arg == L"-h")
            out_.help = true;
        else if (arg == L"--quiet" || arg == L"-q")
            out_.quiet = true;
        else if (arg == L"--dry-run" && rules_.takesDryRun)
            out_.dryRun = true;
        else if (arg == L"--delete-source" && rules_.takesDelete)
            out_.deleteSource = true;
        else if (arg == L"--password-stdin" && rules_.takesPassword)
            out_.passwordStdin = true;
        else if (arg == L"--password-file" && rules_.takesPassword)
            out_.passwordFile = Value(arg);
        else if (arg == L"--cipher" && rules_.takesCipher)
            out_.cipher = Value(arg);
        else if (arg == L"--scheme" && rules_.takesScheme)
            out_.scheme = Value(arg);
        else if (arg == L"--main-password-file" && rules_.takesMainPassword)
            out_.mainPasswordFile = Value(arg);
        else if (arg == L"--all" && rules_.takesAll)
            out_.all = true;
        else if (arg == L"--password")
            throw TUsageError(
                L"passwords are not taken on the command line; use "
                L"--password-file, --password-stdin or the prompt");
        else
            throw TUsageError(L"unknown option \"" + arg + L"\" for " + rules_.name);
    }

    std::wstring Value(const std::wstring& option) {
        if (i_ + 1 >= args_.size() || args_[i_ + 1].empty())
            throw TUsageError(option + L" needs a value");
        return args_[++i_];
    }

    const std::vector<std::wstring>& args_;
    const TCommandRules& rules_;
    TCliOptions& out_;
    std::size_t i_ = 0;
};

}  // namespace

TCliOptions ParseArguments(const std::vector<std::wstring>& args) {
    TCliOptions out;
    if (args.empty())
        throw TUsageError(L"no command given");
    const std::wstring& first = args[0];
    if (first == L"--help" || first == L"-h") {
        out.help = true;
        return out;
    }
    if (first == L"--version") {
        out.version = true;
        return out;
    }
    const TCommandRules* rules = FindCommand(first);
    if (rules == nullptr)
        throw TUsageError(L"unknown command \"" + first + L"\"");
    out.command = first;
    TParser(args, *rules, out).Parse(1);
    return out;
}

}  // namespace dovrel::cli
