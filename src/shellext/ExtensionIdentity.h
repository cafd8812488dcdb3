#pragma once

// The names by which the file manager, the registry and the main program know the
// context-menu extension. The library and the main program share nothing else but these,
// the list file and one switch.
namespace dovrel::shellext {

// The product's display name: captions, the program's registry key, the list file's folder
// and the class description all carry it.
inline constexpr const wchar_t* kDisplayName = L"Dovrel";
inline constexpr const wchar_t* kMainProgramFile = L"Dovrel.exe";
// Under HKEY_CURRENT_USER; its value "AppPath" is the main program's folder.
inline constexpr const wchar_t* kProgramKey = L"Software\\Kestrane\\Dovrel\\";
inline constexpr const wchar_t* kAppPathValue = L"AppPath";

inline constexpr const wchar_t* kClassId = L"{6F1D3A50-2C47-4E8B-9A15-D0C3B7E24F98}";
inline constexpr const wchar_t* kLibraryFile = L"TOLV_CONTEXT_MENU.dll";
inline constexpr const wchar_t* kHandlerKeyName = L"TOLV_CNTX_MENU";
inline constexpr const wchar_t* kThreadingModel = L"Apartment";
inline constexpr const wchar_t* kClassDescription = L"Dovrel Context Menu Shell Extension";

}  // namespace dovrel::shellext
