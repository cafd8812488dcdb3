#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dovrel {

// A list with a check box on every row (the show page's hidden items). A click on a row's
// box, or Space on the selected row, flips its check.
class TCheckListBox {
public:
    TCheckListBox(HWND parent, int id, const RECT& place, HFONT font);
    TCheckListBox(const TCheckListBox&) = delete;
    TCheckListBox& operator=(const TCheckListBox&) = delete;

    HWND Handle() const noexcept { return window_; }
    // One unchecked row per text, replacing what the list held.
    void SetItems(const std::vector<std::wstring>& texts);
    int Count() const;
    bool Checked(int row) const;
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    void Toggle(int row);

    HWND window_;
};

}  // namespace dovrel
