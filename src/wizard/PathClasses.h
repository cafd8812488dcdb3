#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "wizard/OperationPath.h"

namespace dovrel {

class TWizard;

// The path classes a command-line switch can open, in registration order: encrypt, decrypt,
// shred and hide. Showing has a switch too but is not registered, so "/show" opens nothing.
const std::vector<const TPathClass*>& PathClasses();
void RegisterPathClass(const TPathClass& pathClass);
// The first class whose switch equals `text` exactly, letter case included; none otherwise.
const TPathClass* FindPathClass(std::wstring_view text);

// Start-up: the list anew with the four classes. Shut-down: the list emptied.
void CreatePathClasses();
void ReleasePathClasses();

// Every argument that names a switch opens its path, in argument order, so the last one
// stays on screen; the others are ignored. An error (the list file cannot be read) stops
// the walk at that argument and reaches the caller.
void ActivateFromCommandLine(TWizard& wizard, const std::vector<std::wstring>& arguments);

}  // namespace dovrel
