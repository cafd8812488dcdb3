#include "app/LanguageController.h"

namespace dovrel {

TLanguageController::TLanguageController(std::wstring windowName,
                                         std::span<const TTranslatableProperty> properties,
                                         TPropertyTarget& target, TLangManager& manager)
    : windowName_(std::move(windowName)),
      properties_(properties.begin(), properties.end()),
      target_(target),
      manager_(manager) {
    // Taken before any translation, so a later return to English restores them.
    designed_.reserve(properties_.size());
    for (const auto& property : properties_)
        designed_.push_back(target_.PropertyText(property.control, property.property));
    try {
        manager_.RegisterController(*this);
    } catch (...) {
        // A failed first translation must not leave the manager holding a dead window.
        manager_.UnregisterController(*this);
        throw;
    }
}

TLanguageController::~TLanguageController() {
    manager_.UnregisterController(*this);
}

std::optional<std::wstring> TLanguageController::TranslatedText(int id) const {
    return manager_.WindowText(windowName_, id);
}

void TLanguageController::Translate() {
    const auto texts = manager_.WindowTexts(windowName_);
    for (std::size_t i = 0; i < properties_.size(); ++i) {
        const auto& property = properties_[i];
        const auto text = texts.find(property.id);
        target_.SetPropertyText(property.control, property.property,
                                text != texts.end() ? text->second : designed_[i]);
    }
}

}  // namespace dovrel
