#include "CliHelp.h"

namespace dovrel::cli {

namespace {

constexpr const char* kProgramHelp =
    "Usage: dovrel-cli COMMAND [OPTIONS] [PATH...]\n"
    "\n"
    "Encrypts, decrypts and shreds files with the same formats as Dovrel; on Windows it\n"
    "also hides and shows them as Dovrel does.\n"
    "\n"
    "Commands:\n"
    "  encrypt    encrypt files into PATH.enc\n"
    "  decrypt    decrypt .enc files back under their stored names\n"
    "  shred      overwrite files pass after pass, then delete them\n"
    "  ciphers    list the ciphers\n"
    "  schemes    list the shredding schemes\n"
    "  hide       hide files, folders or drives from the file manager (Windows)\n"
    "  show       show hidden items again (Windows)\n"
    "  hidden     list the hidden items (Windows)\n"
    "\n"
    "Options:\n"
    "  --help       show this help, or a command's with COMMAND --help\n"
    "  --version    show the program version and exit\n"
    "\n"
    "A folder stands for every file under it. Exit codes: 0 done, 1 an error ended the run,\n"
    "2 bad usage, 3 some files were skipped, 130 cancelled with Ctrl-C.\n";

constexpr const char* kPasswordHelp =
    "  --password-file FILE   the password is the whole content of FILE, bytes as stored;\n"
    "                         a line end at its end is part of the password\n"
    "  --password-stdin       the password is the first line of standard input, without\n"
    "                         its line end, bytes as given\n"
    "Without either, the password is asked at the terminal without echo. Passwords are\n"
    "never taken on the command line.\n";

constexpr const char* kDryRunHelp =
    "  --dry-run              only count the files and bytes the command would work on;\n"
    "                         nothing is asked, read or changed\n";

constexpr const char* kCommonHelp =
    "  --quiet                no progress line on standard error\n"
    "  --help                 show this help\n";

const std::string kEncryptHelp =
    std::string(
        "Usage: dovrel-cli encrypt [--cipher NAME|ID|INDEX] [--delete-source] PATH...\n"
        "\n"
        "Encrypts every file into the same path with \".enc\" appended.\n"
        "\n"
        "  --cipher NAME|ID|INDEX the cipher by list text, identifier or index (see\n"
        "                         dovrel-cli ciphers); the first one by default\n"
        "  --delete-source        delete each source once its file was encrypted\n") +
    kPasswordHelp + kDryRunHelp + kCommonHelp + "The password is asked twice at the terminal.\n";

const std::string kDecryptHelp =
    std::string(
        "Usage: dovrel-cli decrypt [--delete-source] PATH...\n"
        "\n"
        "Decrypts .enc files under the names stored in them; the cipher is found in\n"
        "each file. A wrong password is asked again at a terminal (an empty entry\n"
        "skips the file); elsewhere the file is skipped with a message.\n"
        "\n"
        "  --delete-source        delete each .enc file once it was decrypted\n") +
    kPasswordHelp + kDryRunHelp + kCommonHelp;

const std::string kShredHelp =
    std::string(
        "Usage: dovrel-cli shred [--scheme NAME|INDEX] PATH...\n"
        "\n"
        "Overwrites every file with the scheme's passes and deletes it; folders stay.\n"
        "\n"
        "  --scheme NAME|INDEX    the scheme by class name, list text or index (see\n"
        "                         dovrel-cli schemes); the first one by default\n") +
    kDryRunHelp + kCommonHelp;

constexpr const char* kCiphersHelp =
    "Usage: dovrel-cli ciphers\n"
    "\n"
    "Lists the ciphers, one a line: index, identifier, name and description, separated\n"
    "by tabs.\n";

constexpr const char* kSchemesHelp =
    "Usage: dovrel-cli schemes\n"
    "\n"
    "Lists the shredding schemes, one a line: index, class name, name and description,\n"
    "separated by tabs.\n";

constexpr const char* kMainPasswordHelp =
    "  --main-password-file FILE  the main password is the text of FILE without the line\n"
    "                         end at its end\n"
    "Without it, the main password is asked at the terminal without echo. While none is\n"
    "set, the first one given becomes the main password (asked twice at a terminal).\n"
    "The hidden items are those of Dovrel: both keep them in the same data folder.\n";

const std::string kHideHelp =
    std::string(
        "Usage: dovrel-cli hide [--main-password-file FILE] PATH...\n"
        "\n"
        "Hides each file, folder or drive (\"E:\") from the file manager and records it\n"
        "among the hidden items.\n"
        "\n") +
    kMainPasswordHelp + kCommonHelp;

const std::string kShowHelp =
    std::string(
        "Usage: dovrel-cli show [--main-password-file FILE] (--all | INDEX...)\n"
        "\n"
        "Shows hidden items again and drops their records; INDEX is the number that\n"
        "dovrel-cli hidden lists.\n"
        "\n"
        "  --all                  show every hidden item\n") +
    kMainPasswordHelp + kCommonHelp;

const std::string kHiddenHelp =
    std::string(
        "Usage: dovrel-cli hidden [--main-password-file FILE]\n"
        "\n"
        "Lists the hidden items, one a line: index, kind (file, folder or drive) and path,\n"
        "separated by tabs.\n"
        "\n") +
    kMainPasswordHelp;

}  // namespace

const char* HelpText(const std::wstring& command) {
    if (command == L"encrypt")
        return kEncryptHelp.c_str();
    if (command == L"decrypt")
        return kDecryptHelp.c_str();
    if (command == L"shred")
        return kShredHelp.c_str();
    if (command == L"ciphers")
        return kCiphersHelp;
    if (command == L"schemes")
        return kSchemesHelp;
    if (command == L"hide")
        return kHideHelp.c_str();
    if (command == L"show")
        return kShowHelp.c_str();
    if (command == L"hidden")
        return kHiddenHelp.c_str();
    return kProgramHelp;
}

}  // namespace dovrel::cli
