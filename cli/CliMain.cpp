// dovrel-cli: the command-line front end over the same core as the wizard.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Text.h"

namespace {

constexpr const char* kUsage =
    "Usage: dovrel-cli [--help] [--version]\n"
    "\n"
    "Encrypts, decrypts and shreds files with the same formats as Dovrel.\n"
    "\n"
    "Options:\n"
    "  --help       show this help and exit\n"
    "  --version    show the program version and exit\n";

int Run(const std::vector<std::wstring>& args) {
    if (args.empty() || args[0] == L"--help" || args[0] == L"-h") {
        std::fputs(kUsage, stdout);
        return args.empty() ? 2 : 0;
    }
    if (args[0] == L"--version") {
        std::printf("dovrel-cli %s\n", DOVREL_VERSION);
        return 0;
    }
    std::fprintf(stderr, "dovrel-cli: unknown command \"%s\"; see dovrel-cli --help\n",
                 dovrel::ToUtf8(args[0]).c_str());
    return 2;
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
