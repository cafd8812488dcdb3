#pragma once

#include <functional>
#include <string>

namespace dovrel {

// The file operations that can fail under a user's files, as the tests of failure
// handling name them.
enum class TFileOperation { Open, Create, Read, Write, Flush, Rename, Delete, SetAttributes };

// Decides for each file operation whether it fails: the system error code to fail with,
// or 0 to let it act. `path` is the file the operation is about (the source of a rename).
using TFaultPlan = std::function<unsigned(TFileOperation operation, const std::wstring& path)>;

// A seam for the tests: while a plan is set, every file operation of the platform layer
// asks it first and, when told to, fails as the system would. An empty plan removes it.
// Not for use while other threads work on files.
void SetFaultPlan(TFaultPlan plan);

// What the plan says of an operation; 0 without a plan.
unsigned InjectedFault(TFileOperation operation, const std::wstring& path);

}  // namespace dovrel
