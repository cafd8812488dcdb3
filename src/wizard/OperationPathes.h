#pragma once

#include <memory>
#include <string>

#include "wizard/OperationPath.h"

// The five wizard paths. The encrypt, decrypt and shred paths open on the selection page
// and have a settings page; the hide path starts its run from the selection page; the show
// path lists the hidden items. Hide and show open only after the main password.
namespace dovrel {

class TEncryptPath final : public TOperationPath {
public:
    explicit TEncryptPath(TWizard& wizard);

    static std::wstring GetCmdLineParameter() { return L"/encrypt"; }
    // Opens on the settings page without a way back, with the list file's items.
    static bool ActivateOnCmdLine(TWizard& wizard);
};

class TDecryptPath final : public TOperationPath {
public:
    explicit TDecryptPath(TWizard& wizard);

    static std::wstring GetCmdLineParameter() { return L"/decrypt"; }
    // Opens on the settings page with the list file's items; Back leads to the selection.
    static bool ActivateOnCmdLine(TWizard& wizard);

protected:
    void OnEnd() override;
};

class TShredPath final : public TOperationPath {
public:
    explicit TShredPath(TWizard& wizard);

    static std::wstring GetCmdLineParameter() { return L"/shred"; }
    static bool ActivateOnCmdLine(TWizard& wizard);
};

class THidePath final : public TOperationPath {
public:
    // Nothing when the main password prompt was cancelled.
    static std::unique_ptr<THidePath> Open(TWizard& wizard);

    static std::wstring GetCmdLineParameter() { return L"/hide"; }
    // After the main password, hides the list file's items at once.
    static bool ActivateOnCmdLine(TWizard& wizard);

protected:
    void OnEnd() override;

private:
    explicit THidePath(TWizard& wizard);
};

class TShowPath final : public TOperationPath {
public:
    static std::unique_ptr<TShowPath> Open(TWizard& wizard);

    // The context menu never offers showing, so the switch opens nothing.
    static std::wstring GetCmdLineParameter() { return L"/show"; }
    static bool ActivateOnCmdLine(TWizard&) { return false; }

private:
    explicit TShowPath(TWizard& wizard);
};

}  // namespace dovrel
