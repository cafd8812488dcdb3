#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dovrel {

class TOperation;

// The main page's operation list: one entry of each kind, encrypt, decrypt, shred, hide
// and show, with the name and description of the language current when it was built. The
// entries are only displayed; runs make operations of their own.
void BuildOperationList();
void ReleaseOperationList();
// Raises for an index outside 0 to 4, or when the list is not built.
const TOperation& OperationEntry(std::size_t index);

// The pictures of the main page's operation list, "res\0.jpg" to "res\9.jpg" beside the
// program: entry i has the normal picture i and the highlighted picture i + 5.
inline constexpr std::size_t kOperationCount = 5;

using TPicture = std::vector<std::uint8_t>;  // the JPEG file's bytes

// Loads the ten pictures; a missing one raises its file-open error, which stops start-up.
void BuildOperationPictures(const std::wstring& programFolder);
void ReleaseOperationPictures();
const TPicture& NormalPicture(std::size_t entry);
const TPicture& HighlightedPicture(std::size_t entry);

}  // namespace dovrel
