#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "platform/File.h"

namespace dovrel::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("dovrel-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        // Read-only files left by a test must not keep the folder alive.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with a trailing separator, as the program writes folders.
    std::wstring Folder() const { return path_.wstring() + kPathDelim; }
    std::wstring Path(const std::wstring& name) const { return Folder() + name; }

private:
    std::filesystem::path path_;
};

}  // namespace dovrel::test
