// dovrel-cli: the command-line front end over the same core as the wizard.
#include <cstdio>
#include <string>
#include <vector>

#include "CliArguments.h"
#include "CliCommands.h"
#include "CliHelp.h"
#include "CliRun.h"
#include "Terminal.h"
#include "app/AppFolders.h"
#include "crypto/CryptoAlgorithms.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "shred/ShredAlgorithms.h"

namespace {

using namespace dovrel;
using namespace dovrel::cli;

// The same data folder and catalogues as the wizard, so options and descriptions agree.
class TStartUp {
public:
    TStartUp() {
        InitAppFolders(RoamingAppDataFolder() + kPathDelim + L"Dovrel");
        BuildShredCatalogue();
        BuildCipherCatalogue();
    }
    ~TStartUp() {
        ReleaseShredCatalogue();
        ReleaseCipherCatalogue();
    }
    TStartUp(const TStartUp&) = delete;
    TStartUp& operator=(const TStartUp&) = delete;
};

int Run(const std::vector<std::wstring>& args) {
    try {
        const TCliOptions options = ParseArguments(args);
        if (options.version) {
            std::printf("dovrel-cli %s\n", DOVREL_VERSION);
            return kExitOk;
        }
        if (options.help) {
            std::fputs(HelpText(options.command), stdout);
            return kExitOk;
        }
        InstallInterruptHandler();
        TStartUp startUp;
        return RunCommand(options);
    } catch (const TUsageError& e) {
        WriteErr(L"dovrel-cli: " + e.Message() + L"; see dovrel-cli --help\n");
        if (args.empty())
            std::fputs(HelpText(L""), stdout);
        return kExitUsage;
    } catch (const Error& e) {
        WriteErr(L"dovrel-cli: " + e.Message() + L"\n");
        return kExitError;
    } catch (const std::exception& e) {
        WriteErr(L"dovrel-cli: " + FromUtf8(e.what()) + L"\n");
        return kExitError;
    }
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    return Run(std::vector<std::wstring>(argv + 1, argv + argc));
}
#else
int main(int argc, char** argv) {
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(dovrel::FromUtf8(argv[i]));
    return Run(args);
}
#endif
