#pragma once

#include <string>

#include "wizard/MainWindow.h"

namespace dovrel {

// A password file's text as the password edits take it: every line followed by CR LF, the
// last one included. A byte-order mark selects UTF-8 or UTF-16; without one the file is in
// the ANSI code page. Raises the file-open error when it cannot be read.
std::wstring ReadPasswordFile(const std::wstring& path);

// The "..." button of a settings page: the chosen file's text becomes the page's password.
// A cancelled dialog changes nothing, and so does a file that cannot be read (its error
// reaches the caller).
void LoadPasswordFromFile(TMainWindow& window, TCryptPage page);

// The "Mask password" box: every click flips whether the edit hides what was typed. The
// box's own state is not consulted; box and edit start ticked and masked, so they agree.
void ToggleMasking(TMainWindow& window, TCryptPage page);

}  // namespace dovrel
