#pragma once

#include <string>
#include <vector>

// The list file "todo" that hands the selected paths to the main program.
namespace dovrel::shellext {

// The main program's data folder under the user's roaming application-data folder, with
// a trailing separator. Raises when the system names no application-data folder.
std::wstring ListFileFolder(const std::wstring& roamingAppData);

// One path a line, each ended by CR LF, in the ANSI code page without a byte-order mark.
// When a path has characters the code page lacks, which would become "?" and name another
// item or none, the whole list is UTF-8 behind its byte-order mark instead.
std::string EncodeListFile(const std::vector<std::wstring>& paths);

// Creates `folder` with the folders above it and replaces its "todo" with `paths`. Raises
// an Error, with the system's code where there is one, when either cannot be written.
void WriteListFile(const std::wstring& folder, const std::vector<std::wstring>& paths);

}  // namespace dovrel::shellext
