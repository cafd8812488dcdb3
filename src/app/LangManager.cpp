#include "app/LangManager.h"

#include <algorithm>
#include <mutex>

#include "app/FileMask.h"
#include "app/LanguageController.h"
#include "platform/File.h"
#include "platform/FileSystem.h"

namespace dovrel {

namespace {

std::wstring WithSeparator(std::wstring folder) {
    if (folder.empty() || (folder.back() != kPathDelim && folder.back() != L'/'))
        folder.push_back(kPathDelim);
    return folder;
}

}  // namespace

std::uint16_t TLangManager::CurrentLanguage() const {
    std::shared_lock guard(lock_);
    return current_;
}

int TLangManager::ScanLanguageFiles(const std::wstring& folder, const std::wstring& mask,
                                    bool descend) {
    std::unique_lock guard(lock_);
    return ScanFolder(WithSeparator(folder), mask, descend);
}

int TLangManager::ScanFolder(std::wstring folder, const std::wstring& mask, bool descend) {
    // Listed first and read afterwards, so that a failing read leaves no listing open.
    std::vector<TFindEntry> entries;
    EnumerateFolder(folder, [&](const TFindEntry& entry) {
        entries.push_back(entry);
        return true;
    });
    int found = 0;
    for (const auto& entry : entries) {
        const std::wstring path = folder + entry.name;
        if (entry.data.IsFolder()) {
            if (descend && entry.name.front() != L'.')
                found += ScanFolder(WithSeparator(path), mask, descend);
            continue;
        }
        if (!MatchesFileMask(entry.name, mask))
            continue;
        const std::uint16_t id = ReadLanguageFileId(path);
        if (id == 0)
            continue;
        ++found;
        if (id != kDefaultLanguageId)
            RegisterLanguage(id, path);
    }
    return found;
}

void TLangManager::RegisterLanguage(std::uint16_t id, const std::wstring& path) {
    for (auto& language : registered_) {
        if (language.id == id) {
            language.path = path;
            return;
        }
    }
    registered_.push_back({id, path});
}

const std::wstring* TLangManager::RegisteredPath(std::uint16_t id) const noexcept {
    for (const auto& language : registered_) {
        if (language.id == id)
            return &language.path;
    }
    return nullptr;
}

std::vector<TRegisteredLanguage> TLangManager::RegisteredLanguages() const {
    std::shared_lock guard(lock_);
    return registered_;
}

void TLangManager::SelectLanguage(std::uint16_t id) {
    std::vector<TLanguageController*> windows;
    {
        std::unique_lock guard(lock_);
        std::optional<TLanguageFile> file;
        if (id != kDefaultLanguageId) {
            if (const std::wstring* path = RegisteredPath(id))
                file = TLanguageFile::Load(*path);
            else
                id = kDefaultLanguageId;
        }
        if (id == current_)
            return;
        current_ = id;
        catalogue_.UseTexts(file ? &file->Constants() : nullptr);
        currentFile_ = std::move(file);
        windows = controllers_;
    }
    for (TLanguageController* window : windows)
        window->Translate();
}

std::wstring TLangManager::LookupMessage(std::wstring_view key) const {
    std::shared_lock guard(lock_);
    return catalogue_.Lookup(key);
}

std::optional<std::wstring> TLangManager::WindowText(std::wstring_view window, int id) const {
    std::shared_lock guard(lock_);
    const auto* texts = currentFile_ ? currentFile_->WindowTexts(window) : nullptr;
    if (texts == nullptr)
        return std::nullopt;
    const auto text = texts->find(id);
    if (text == texts->end())
        return std::nullopt;
    return text->second;
}

TLanguageFile::TPropertyTexts TLangManager::WindowTexts(std::wstring_view window) const {
    std::shared_lock guard(lock_);
    const auto* texts = currentFile_ ? currentFile_->WindowTexts(window) : nullptr;
    return texts != nullptr ? *texts : TLanguageFile::TPropertyTexts{};
}

void TLangManager::RegisterController(TLanguageController& controller) {
    bool translate = false;
    {
        std::unique_lock guard(lock_);
        controllers_.push_back(&controller);
        translate = current_ != kDefaultLanguageId;
    }
    if (translate)
        controller.Translate();
}

void TLangManager::UnregisterController(TLanguageController& controller) noexcept {
    std::unique_lock guard(lock_);
    std::erase(controllers_, &controller);
}

TLangManager& LangManager() {
    static TLangManager manager;
    return manager;
}

std::wstring LookupMessage(std::wstring_view key) {
    return LangManager().LookupMessage(key);
}

}  // namespace dovrel
