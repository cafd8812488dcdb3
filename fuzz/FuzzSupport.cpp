#include "FuzzSupport.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/Text.h"

namespace dovrel::fuzz {

namespace fs = std::filesystem;

void Fail(std::string_view what) {
    std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

void Fail(std::string_view what, std::wstring_view detail) {
    Fail(std::string(what) + ": " + ToUtf8(detail));
}

namespace {

constexpr std::string_view kScratchPrefix = "dovrel-fuzz-";

// A crash ends a target without its clean-up: the folders of processes gone are removed.
void RemoveStaleScratch(const fs::path& temporary) {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(temporary, ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kScratchPrefix, 0) != 0)
            continue;
        const long pid = std::strtol(name.c_str() + kScratchPrefix.size(), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            fs::remove_all(entry.path(), ignored);
    }
}

struct TScratch {
    TScratch() {
        RemoveStaleScratch(fs::temp_directory_path());
        path = fs::temp_directory_path() / (std::string(kScratchPrefix) + std::to_string(getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TScratch() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

}  // namespace

const fs::path& ScratchRoot() {
    static const TScratch scratch;
    return scratch.path;
}

fs::path FreshFolder(const std::string& name) {
    const fs::path folder = ScratchRoot() / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::wstring AsFolder(const fs::path& folder) {
    return FromUtf8(folder.string()) + L"/";
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        Fail("cannot write the scratch file " + path.string());
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> Listing(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

}  // namespace dovrel::fuzz
