#pragma once

#include <functional>
#include <string>

namespace dovrel {

class TMainPassDialog;
class TNewPassDialog;
class TOptions;
class TPasswordMessages;
class THiddenConfig;

// The two shell-integration settings as the options dialog's check boxes show them.
struct TShellOptions {
    bool Integrate = true;
    bool Cascaded = false;

    bool operator==(const TShellOptions&) const = default;
};

// The check boxes of the options dialog; the window implements it.
class TOptionsView {
public:
    virtual ~TOptionsView() = default;
    virtual TShellOptions Ticks() const = 0;
    virtual void SetTicks(const TShellOptions& ticks) = 0;
};

// Starts a command line without a window and without waiting; the system error code, 0
// on success.
using TProcessStarter = std::function<unsigned(const std::wstring& commandLine)>;

// The check boxes from the options file, as they are each time the dialog is shown.
void SetOptionsToGUI(TOptionsView& view, TOptions& options);

// The check boxes into the options file; raises "Unable to write to %s" when it cannot.
void GetOptionsFromGUI(const TOptionsView& view, TOptions& options);

// The command line that registers the extension (or removes it) through a copy of the
// program. The path is quoted: unquoted, a folder with blanks such as "C:\Program Files"
// could start "C:\Program.exe" instead, with the program's administrator rights.
std::wstring ShellIntegrationCommandLine(const std::wstring& programPath, bool integrate);

// Starts the program at `programPath` with "/activate" or "/deactivate" as the options file
// says. A failed start is not reported; with logging on it leaves a log line.
void ApplyShellIntegration(TOptions& options, const std::wstring& programPath,
                           const TProcessStarter& start);

// OK of the options dialog: the settings are written, then the extension is registered or
// removed. An error writing the settings propagates before anything is started, and the
// dialog then stays open.
void OptionsOkClick(const TOptionsView& view, TOptions& options, const std::wstring& programPath,
                    const TProcessStarter& start);

// "Change Main Password...": with no main password the new one is asked for at once,
// otherwise only after the current one was given.
void ChooseMainPassButtonClick(THiddenConfig& store, TMainPassDialog& mainPassword,
                               TNewPassDialog& newPassword, TPasswordMessages& messages);

// The caption of the integration check box with the product name of its design replaced
// by the program's, in any letter case.
std::wstring IntegrateCaption(const std::wstring& designed);

}  // namespace dovrel
