#pragma once

#include <string>

namespace dovrel {

// What a run needs from whoever shows it: the wizard's windows, the command line, or a
// test. Calls come from the worker thread; an implementation hands them to its UI thread
// and waits for the answer.
class TUserInterface {
public:
    virtual ~TUserInterface() = default;

    // A message with an OK button.
    virtual void ShowMessage(const std::wstring& text) = 0;
    // Asks for another password for `fileName`; false when the user gives up.
    virtual bool AskPassword(const std::wstring& fileName, std::wstring& password) = 0;
};

// The process-wide front end, installed once by the program before any run starts.
void SetUserInterface(TUserInterface* ui);
// Raises an Error when no front end was installed, which is a fault of the program.
TUserInterface& UserInterface();

}  // namespace dovrel
