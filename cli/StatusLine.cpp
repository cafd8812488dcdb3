#include "StatusLine.h"

#include "Terminal.h"

namespace dovrel::cli {

void TStatusLine::Show(const std::wstring& text) {
    if (!enabled_ || prompting_)
        return;
    std::lock_guard lock(mutex_);
    // Pads over what a longer previous line left.
    std::wstring line = L"\r" + text;
    if (text.size() < shown_)
        line.append(shown_ - text.size(), L' ');
    WriteErr(line);
    shown_ = text.size();
}

void TStatusLine::Clear() {
    std::lock_guard lock(mutex_);
    ClearLocked();
}

void TStatusLine::ClearLocked() {
    if (shown_ == 0)
        return;
    WriteErr(L"\r" + std::wstring(shown_, L' ') + L"\r");
    shown_ = 0;
}

void TStatusLine::Message(const std::wstring& text) {
    std::lock_guard lock(mutex_);
    ClearLocked();
    WriteErr(L"dovrel-cli: " + text + L"\n");
}

}  // namespace dovrel::cli
