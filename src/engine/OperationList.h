#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dovrel {

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
