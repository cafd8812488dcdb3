#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "engine/OperationEvents.h"
#include "shred/CharGenerators.h"

namespace dovrel {

class TStream;

// The largest piece of a file that a pass reads, transforms and writes back at once; one
// buffer of this size at most serves every pass of a file.
inline constexpr std::size_t kShredBufferSize = 65536;

enum class TOverwriteResult {
    Empty,      // nothing to overwrite: no pass ran
    Cancelled,  // stopped before a buffer; the passes got as far as the last buffer written
    Completed,  // every pass went over the whole stream
};

// Runs each generator as one pass over the whole stream, pass 1 first: every buffer is read,
// transformed and written back at the offset it came from, after a cancellation check and
// before a progress report. `endOfPass` follows every complete pass and a cancellation, so
// that the caller can push what was written to the device. Read and write failures raise
// "Stream read error" and "Stream write error".
TOverwriteResult OverwritePasses(TStream& file, const TGeneratorList& generators,
                                 const TOperationEvents& events,
                                 const std::function<void()>& endOfPass);

// Opens the file for reading and writing, unshared, runs the passes over it with each pass
// flushed to the device before the next one starts, closes it and deletes it. An empty file
// is left as it is; a cancelled or failed one stays where it is. A failed deletion is
// ignored: the file is already overwritten. Raises "Cannot open file "%s". %s" when the
// file cannot be opened for writing.
void OverwriteAndDelete(const std::wstring& path, const TGeneratorList& generators,
                        const TOperationEvents& events);

}  // namespace dovrel
