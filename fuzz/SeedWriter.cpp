// Writes the seed corpora of the fuzz targets with the program's own writers, so that the
// fuzzers start from files as the program makes them.
// Usage: fuzz_seed_writer CORPUS_FOLDER DATA_FOLDER (the data/ of the sources)
#include <cstdio>
#include <filesystem>

#include "FuzzSupport.h"
#include "app/AppFolders.h"
#include "crypto/CryptoAlgorithms.h"
#include "hiding/HiddenConfig.h"
#include "platform/PortableIniFile.h"
#include "platform/Text.h"
#include "shellext/ListFile.h"

namespace {

using namespace dovrel;
using namespace dovrel::fuzz;
namespace fs = std::filesystem;

fs::path corpus;

void Seed(const std::string& target, const std::string& name, std::string_view bytes) {
    fs::create_directories(corpus / target);
    WriteFile(corpus / target / name, bytes);
}

// Every cipher of the catalogue over the same small file, with the password the fuzz
// target tries first; "All at once" writes its last cipher's file, so its seed is that
// file under the identifier the reader dispatches on.
void EncSeeds() {
    const fs::path box = FreshFolder("enc");
    TOperationEvents events{[] { return false; }, [](auto, auto, auto, auto) {},
                            [](const std::wstring&, std::string&) { return false; }};
    for (const auto& entry : CipherCatalogue()) {
        WriteFile(box / "note.txt", "Dovrel seed: a short note of some bytes.\r\n");
        std::string password = "fuzz";
        entry->EncryptFile(AsFolder(box) + L"note.txt", password, events);
        std::string bytes = ReadFile(box / "note.txt.enc");
        const std::wstring id = entry->IdText();
        bytes.replace(0, 3, ToUtf8(id));
        Seed("enc_reader", ToUtf8(id) + ".enc", bytes);
    }
    WriteFile(box / "empty", "");
    std::string password = "fuzz";
    CipherCatalogue().front()->EncryptFile(AsFolder(box) + L"empty", password, events);
    Seed("enc_reader", "empty.enc", ReadFile(box / "empty.enc"));
}

void IniSeeds(const fs::path& data) {
    const fs::path box = FreshFolder("ini");
    const struct {
        const char* name;
        const char* start;  // a byte-order mark keeps the file's encoding
    } files[] = {{"ansi.ini", ""}, {"utf8.ini", "\xEF\xBB\xBF"}, {"utf16.ini", "\xFF\xFE"}};
    for (const auto& f : files) {
        WriteFile(box / f.name, f.start);
        TPortableIniFile ini(AsFolder(box) + FromUtf8(f.name));
        ini.WriteString(L"Options", L"LanguageID", L"1033");
        ini.WriteString(L"Options", L"LastPath", L"C:\\Users\\Zoë\\Documents\\");
        ini.WriteString(L"Algos", L"BFS", L"\"quoted value\"");
        ini.WriteString(L"Empty", L"Key", L"");
        Seed("ini_file", f.name, ReadFile(box / f.name));
    }
    Seed("ini_file", "cryptos1033.ini", ReadFile(data / "cryptos1033.ini"));
}

void HiddenSeeds() {
    const struct {
        const char* name;
        const wchar_t* password;
        std::vector<std::pair<THiddenItemType, const wchar_t*>> items;
    } stores[] = {
        {"empty.dat", L"", {}},
        {"two.dat", L"", {{hitDrive, L"E:\\"}, {hitFile, L"C:\\Data\\report.txt"}}},
        {"three.dat",
         L"main pass",
         {{hitFolder, L"C:\\Data\\"}, {hitFile, L"C:\\a.txt"}, {hitDrive, L"F:\\"}}},
    };
    for (const auto& s : stores) {
        const fs::path folder = FreshFolder("hidden");
        THiddenConfig store(AsFolder(folder));
        store.Password = s.password;
        store.Save();
        for (const auto& [kind, path] : s.items)
            store.AddItem(kind, path);
        Seed("hidden_config", s.name, ReadFile(folder / "base.dat"));
    }
}

// The list file as the context menu writes it, in the ANSI code page or, when a path has
// letters the code page lacks, in UTF-8; and the UTF-16 and bare line ends the reader
// takes too.
void ListSeeds() {
    const std::vector<std::wstring> ansi = {L"C:\\Data\\report.txt", L"C:\\Data\\Photos\\",
                                            L"E:\\"};
    const std::vector<std::wstring> wide = {L"C:\\Users\\Zoë\\Ωmega.txt", L"D:\\Проект\\"};
    Seed("list_file", "ansi", shellext::EncodeListFile(ansi));
    Seed("list_file", "utf8", shellext::EncodeListFile(wide));
    std::string utf16 = "\xFF\xFE";
    for (char16_t unit : ToUtf16(L"C:\\Users\\Zoë\\Ωmega.txt\r\nD:\\Проект\\\r\n")) {
        utf16.push_back(static_cast<char>(unit & 0xFF));
        utf16.push_back(static_cast<char>(unit >> 8));
    }
    Seed("list_file", "utf16", utf16);
    Seed("list_file", "lf", ToAnsi(L"C:\\a.txt\nC:\\b.txt"));
}

void CommandLineSeeds() {
    const char* lines[] = {
        "\"C:\\Program Files\\Dovrel\\Dovrel.exe\" /encrypt",
        "\"C:\\Program Files\\Dovrel\\Dovrel.exe\" /activate",
        "Dovrel.exe -debug /shred",
        ("\"C:\\Program Files\\Dovrel\\dovrel-cli.exe\" encrypt --cipher \"Thin ICE\" "
         "--password-file \"C:\\My Keys\\pw.txt\" \"C:\\Data\\a b.txt\" C:\\dir\\"),
        "dovrel-cli.exe decrypt --quiet --delete-source \"say \\\"hi\\\".enc\" \"\"",
    };
    int n = 0;
    for (const char* line : lines)
        Seed("command_line", "line" + std::to_string(n++), line);
}

void CliSeeds() {
    const std::vector<std::vector<std::string>> commands = {
        {"encrypt", "--quiet", "--cipher", "RIJNDAEL", "--password-file", "pw", "a.bin"},
        {"decrypt", "--password-stdin", "--delete-source", "--", "-odd.enc", "b.enc"},
        {"shred", "--scheme", "2", "dir/"},
        {"ciphers"},
        {"schemes", "--help"},
        {"--version"},
    };
    int n = 0;
    for (const auto& args : commands) {
        std::string bytes;
        for (const auto& arg : args)
            bytes += arg + '\0';
        bytes.pop_back();
        Seed("cli_arguments", "args" + std::to_string(n++), bytes);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: fuzz_seed_writer CORPUS_FOLDER DATA_FOLDER\n", stderr);
        return 2;
    }
    corpus = argv[1];
    const fs::path data = argv[2];
    InitAppFolders(AsFolder(FreshFolder("appdata")));
    BuildCipherCatalogue();
    EncSeeds();
    IniSeeds(data);
    HiddenSeeds();
    ListSeeds();
    CommandLineSeeds();
    CliSeeds();
    Seed("language_file", "Deutsch.lng", ReadFile(data / "Deutsch.lng"));
    ReleaseCipherCatalogue();
    return 0;
}
