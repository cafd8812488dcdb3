#include "wizard/PasswordEdits.h"

#include "app/TextFileLines.h"

namespace dovrel {

namespace {

constexpr wchar_t kMaskChar = L'*';

}  // namespace

std::wstring ReadPasswordFile(const std::wstring& path) {
    std::wstring text;
    for (const std::wstring& line : ReadTextFileLines(path))
        text += line + L"\r\n";
    return text;
}

void LoadPasswordFromFile(TMainWindow& window, TCryptPage page) {
    const auto path = window.ChoosePasswordFile();
    if (!path)
        return;
    window.SetPasswordText(page, ReadPasswordFile(*path));
}

void ToggleMasking(TMainWindow& window, TCryptPage page) {
    window.SetPasswordChar(page, window.PasswordChar(page) == 0 ? kMaskChar : wchar_t{0});
}

}  // namespace dovrel
