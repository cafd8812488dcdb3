#pragma once

#include <functional>
#include <string>
#include <vector>

namespace dovrel {

inline constexpr const wchar_t* kApplicationName = L"Dovrel";
// The key under HKEY_CURRENT_USER whose value "AppPath" tells the context menu where the
// program is.
inline constexpr const wchar_t* kApplicationKey = L"Software\\Kestrane\\Dovrel\\";

// Creates the process-wide objects in their fixed order before any window exists; an
// error raised here ends the program with the message shown.
void StartUp(const std::vector<std::wstring>& arguments);
// Releases them in the order they were created, after the message loop.
void ShutDown();

}  // namespace dovrel
