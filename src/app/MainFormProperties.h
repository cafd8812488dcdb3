#pragma once

#include <span>
#include <string_view>

#include "app/LanguageController.h"

namespace dovrel {

// The main window's section name in language files.
inline constexpr std::wstring_view kMainFormName = L"MainForm";

// The main window's translatable properties and their identifiers in language files.
std::span<const TTranslatableProperty> MainFormProperties() noexcept;

}  // namespace dovrel
