#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/Shell.h"
#include "platform/Text.h"

namespace dovrel {

// The roaming application data of a Linux user is the XDG configuration folder.
std::wstring RoamingAppDataFolder() {
    std::wstring folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
        folder = FromUtf8(config);
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folder = FromUtf8(home) + L"/.config";
    }
    while (folder.size() > 1 && folder.back() == L'/') folder.pop_back();
    return folder;
}

std::wstring ModulePath() {
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0)
        return {};
    return FromUtf8(std::string(buffer.data(), static_cast<std::size_t>(n)));
}

unsigned ShellOpen(const std::wstring&, const std::wstring&) {
    return ENOTSUP;
}

unsigned StartHidden(const std::wstring&) {
    return ENOTSUP;
}

void BroadcastSettingChange() {}

}  // namespace dovrel
