#pragma once

#include <optional>
#include <string>

// The console as the command line needs it; one implementation per system.
namespace dovrel::cli {

bool StdinIsTerminal();
bool StderrIsTerminal();

// Writes `text` to standard output or standard error: as wide text to a console, as UTF-8
// to anything else, so pipes and files get the same bytes on every system.
void WriteOut(const std::wstring& text);
void WriteErr(const std::wstring& text);

// Shows `prompt` on standard error and reads one line from the terminal without echo; the
// line end is removed. Nothing at the end of input or when Ctrl-C interrupted the read.
std::optional<std::wstring> ReadHiddenLine(const std::wstring& prompt);

// Ctrl-C only sets a flag that the run's loop polls, so the run can end cleanly.
void InstallInterruptHandler();
bool InterruptRequested();

}  // namespace dovrel::cli
