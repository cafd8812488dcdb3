#pragma once

#include <string>

namespace dovrel {

// The current user's roaming application-data folder without a trailing separator; empty
// when the system reports none.
std::wstring RoamingAppDataFolder();

// Full path of the running program file.
std::wstring ModulePath();

// Opens `file` with the shell's "open" verb and `parameters`; the system error code, 0 on
// success. Only Windows has a shell to ask.
unsigned ShellOpen(const std::wstring& file, const std::wstring& parameters);

// Starts `commandLine` without showing a window and does not wait for it; the system error
// code, 0 on success.
unsigned StartHidden(const std::wstring& commandLine);

// Tells every top-level window that a setting changed (WM_WININICHANGE) and waits until
// they all took it. Nothing to tell where there is no such window system.
void BroadcastSettingChange();

}  // namespace dovrel
