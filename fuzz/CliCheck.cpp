#include "CliCheck.h"

#include <algorithm>

#include "CliArguments.h"
#include "FuzzSupport.h"

namespace dovrel::fuzz {

namespace {

bool Contains(const std::vector<std::wstring>& args, const std::wstring& value) {
    return std::find(args.begin(), args.end(), value) != args.end();
}

}  // namespace

void CheckCliArguments(const std::vector<std::wstring>& args) {
    cli::TCliOptions options;
    try {
        options = cli::ParseArguments(args);
    } catch (const cli::TUsageError& e) {
        if (e.Message().empty())
            Fail("a usage error without a reason");
        return;
    }
    const std::wstring& command = options.command;
    if (command.empty() && !options.help && !options.version)
        Fail("options without a command");
    if (!command.empty() && options.version)
        Fail("a command with --version");
    if (!command.empty() && (args.empty() || args[0] != command))
        Fail("a command that was not the first argument", command);
    const bool takesPaths = command == L"encrypt" || command == L"decrypt" || command == L"shred";
    if (takesPaths && options.paths.empty() && !options.help)
        Fail("a command without paths");
    if (!takesPaths && !options.paths.empty())
        Fail("paths for a command that takes none");
    if (!options.passwordFile.empty() && options.passwordStdin)
        Fail("two password sources at once");
    for (const std::wstring* value : {&options.passwordFile, &options.cipher, &options.scheme}) {
        if (!value->empty() && !Contains(args, *value))
            Fail("an option value that was not on the command line", *value);
    }
    for (const std::wstring& path : options.paths) {
        if (!Contains(args, path))
            Fail("a path that was not on the command line", path);
    }
}

}  // namespace dovrel::fuzz
