#include "wizard/PathClasses.h"

#include "wizard/OperationPathes.h"
#include "wizard/Wizard.h"

namespace dovrel {

namespace {

std::vector<const TPathClass*> classes;

}  // namespace

const std::vector<const TPathClass*>& PathClasses() {
    return classes;
}

void RegisterPathClass(const TPathClass& pathClass) {
    classes.push_back(&pathClass);
}

const TPathClass* FindPathClass(std::wstring_view text) {
    for (const TPathClass* pathClass : classes) {
        if (pathClass->GetCmdLineParameter() == text)
            return pathClass;
    }
    return nullptr;
}

void CreatePathClasses() {
    classes.clear();
    RegisterPathClass(PathClassOf<TEncryptPath>());
    RegisterPathClass(PathClassOf<TDecryptPath>());
    RegisterPathClass(PathClassOf<TShredPath>());
    RegisterPathClass(PathClassOf<THidePath>());
}

void ReleasePathClasses() {
    classes.clear();
}

void ActivateFromCommandLine(TWizard& wizard, const std::vector<std::wstring>& arguments) {
    TPathCall call;
    for (const std::wstring& argument : arguments) {
        const TPathClass* pathClass = FindPathClass(argument);
        // A hide whose main password was refused opened nothing and changes nothing.
        if (pathClass != nullptr && pathClass->ActivateOnCmdLine(wizard))
            wizard.NoteStartedFromCommandLine();
    }
}

}  // namespace dovrel
