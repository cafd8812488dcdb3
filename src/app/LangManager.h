#pragma once

#include <cstdint>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/LanguageFile.h"
#include "app/MessageCatalogue.h"

namespace dovrel {

class TLanguageController;

// English (United States): the language of the compiled-in texts.
inline constexpr std::uint16_t kDefaultLanguageId = 1033;

struct TRegisteredLanguage {
    std::uint16_t id = 0;
    std::wstring path;
};

// The message catalogue, the language files found beside the program and the windows
// translated through them. Lookups may come from any thread: they share a lock that
// scanning and changing the language hold alone.
class TLangManager {
public:
    TLangManager() = default;
    TLangManager(const TLangManager&) = delete;
    TLangManager& operator=(const TLangManager&) = delete;

    std::uint16_t CurrentLanguage() const;

    // Registers the files of `folder` that fit `mask` by the LANGID of their headers, in
    // the order the folder lists them, so of two files for one language the later wins.
    // With `descend`, subfolders whose names do not begin with "." are scanned alike.
    // Returns how many files declare a language (1033 included, though never registered).
    // A folder that cannot be listed holds no files; a file that cannot be read raises
    // its file-open error.
    int ScanLanguageFiles(const std::wstring& folder, const std::wstring& mask = L"*.lng",
                          bool descend = false);
    std::vector<TRegisteredLanguage> RegisteredLanguages() const;

    // Makes `id` current when a file is registered for it (loading that file in full, which
    // raises "Loading translations failed..."), else the default language; the catalogue
    // and every registered window then take that language's texts.
    void SelectLanguage(std::uint16_t id);

    // The current text of `key`; raises "Constant "key" not found".
    std::wstring LookupMessage(std::wstring_view key) const;

    // The current language's text for property `id` of `window`; nothing in the default
    // language or when the file has none, so the property keeps its designed value.
    std::optional<std::wstring> WindowText(std::wstring_view window, int id) const;
    // All such texts of `window` at once, by identifier.
    TLanguageFile::TPropertyTexts WindowTexts(std::wstring_view window) const;

    // A window with a language controller registers when it is created, and is then
    // translated unless the default language is in force. Registering, leaving and
    // changing the language happen on the window thread, which also applies the texts:
    // the controller is called without the lock held, so it may look texts up.
    void RegisterController(TLanguageController& controller);
    void UnregisterController(TLanguageController& controller) noexcept;

private:
    int ScanFolder(std::wstring folder, const std::wstring& mask, bool descend);
    void RegisterLanguage(std::uint16_t id, const std::wstring& path);
    const std::wstring* RegisteredPath(std::uint16_t id) const noexcept;

    mutable std::shared_mutex lock_;
    std::uint16_t current_ = kDefaultLanguageId;
    std::vector<TRegisteredLanguage> registered_;
    TMessageCatalogue catalogue_;
    // The file of the current language, kept for the windows created later.
    std::optional<TLanguageFile> currentFile_;
    std::vector<TLanguageController*> controllers_;
};

// The process's language manager, made on first use with the English catalogue in force.
TLangManager& LangManager();

// LangManager().LookupMessage(key).
std::wstring LookupMessage(std::wstring_view key);

}  // namespace dovrel
