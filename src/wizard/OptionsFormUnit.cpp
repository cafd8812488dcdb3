#include "OptionsFormUnit.h"

#include "app/Logger.h"
#include "app/OptionsUnit.h"
#include "app/StartUp.h"
#include "hiding/MainPassword.h"
#include "platform/SystemError.h"
#include "platform/Text.h"

namespace dovrel {

namespace {

const std::wstring kIntegrateKey = L"IntegrateContextMenu";
const std::wstring kCascadeKey = L"CascadeContextMenu";
constexpr bool kIntegrateDefault = true;
constexpr bool kCascadeDefault = false;
constexpr std::wstring_view kDesignedProductName = L"Tolvarin";

}  // namespace

void SetOptionsToGUI(TOptionsView& view, TOptions& options) {
    view.SetTicks({options.ReadBool(kIntegrateKey, kIntegrateDefault),
                   options.ReadBool(kCascadeKey, kCascadeDefault)});
}

void GetOptionsFromGUI(const TOptionsView& view, TOptions& options) {
    const TShellOptions ticks = view.Ticks();
    options.WriteBool(kIntegrateKey, ticks.Integrate);
    options.WriteBool(kCascadeKey, ticks.Cascaded);
}

std::wstring ShellIntegrationCommandLine(const std::wstring& programPath, bool integrate) {
    return L"\"" + programPath + L"\"" + (integrate ? L" /activate" : L" /deactivate");
}

void ApplyShellIntegration(TOptions& options, const std::wstring& programPath,
                           const TProcessStarter& start) {
    const std::wstring commandLine = ShellIntegrationCommandLine(
        programPath, options.ReadBool(kIntegrateKey, kIntegrateDefault));
    if (const unsigned error = start(commandLine); error != 0)
        LogMessage(L"Cannot start " + commandLine + L". " + SystemErrorText(error),
                   L"ApplyShellIntegration");
}

void OptionsOkClick(const TOptionsView& view, TOptions& options, const std::wstring& programPath,
                    const TProcessStarter& start) {
    GetOptionsFromGUI(view, options);
    ApplyShellIntegration(options, programPath, start);
}

void ChooseMainPassButtonClick(THiddenConfig& store, TMainPassDialog& mainPassword,
                               TNewPassDialog& newPassword, TPasswordMessages& messages) {
    if (!store.Password.empty() && !CheckMainPassword(store, mainPassword, messages))
        return;
    ChangeMainPassword(store, newPassword, messages);
}

std::wstring IntegrateCaption(const std::wstring& designed) {
    std::wstring caption;
    std::size_t i = 0;
    while (i < designed.size()) {
        const std::wstring_view rest = std::wstring_view(designed).substr(i);
        if (SameTextIgnoringCase(rest.substr(0, kDesignedProductName.size()),
                                 kDesignedProductName)) {
            caption += kApplicationName;
            i += kDesignedProductName.size();
        } else {
            caption += designed[i++];
        }
    }
    return caption;
}

}  // namespace dovrel
