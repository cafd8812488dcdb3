#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/LangManager.h"

namespace dovrel {

// A property of a window that language files translate: the control's name (empty for
// the window itself), the property's name and its identifier in the window's section.
struct TTranslatableProperty {
    std::wstring_view control;
    std::wstring_view property;
    int id = 0;
};

// How a controller reaches the real controls. A list property (Items) travels as one
// text, its lines joined by CR LF.
class TPropertyTarget {
public:
    virtual ~TPropertyTarget() = default;
    virtual std::wstring PropertyText(std::wstring_view control, std::wstring_view property) = 0;
    virtual void SetPropertyText(std::wstring_view control, std::wstring_view property,
                                 const std::wstring& text) = 0;
};

// The translator of one window: it remembers the designed texts of the window's listed
// properties, registers with the language manager for its lifetime and gives every
// property the current language's text, or its designed one where the language has none.
class TLanguageController {
public:
    // `properties` name static texts; the controller keeps the views.
    TLanguageController(std::wstring windowName, std::span<const TTranslatableProperty> properties,
                        TPropertyTarget& target, TLangManager& manager = LangManager());
    ~TLanguageController();
    TLanguageController(const TLanguageController&) = delete;
    TLanguageController& operator=(const TLanguageController&) = delete;

    const std::wstring& WindowName() const noexcept { return windowName_; }
    std::span<const TTranslatableProperty> Properties() const noexcept { return properties_; }

    // The current language's text of identifier `id`; nothing when it keeps its designed
    // value.
    std::optional<std::wstring> TranslatedText(int id) const;

    // Sets every listed property to its current text.
    void Translate();

private:
    std::wstring windowName_;
    std::vector<TTranslatableProperty> properties_;
    std::vector<std::wstring> designed_;  // parallel to properties_
    TPropertyTarget& target_;
    TLangManager& manager_;
};

}  // namespace dovrel
