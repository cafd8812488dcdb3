#include "shred/OverwritePasses.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/Counter.h"
#include "platform/File.h"
#include "platform/FileErrors.h"

namespace dovrel {

namespace {

// Where a pass stands among the passes over one file, for its progress reports.
struct TPassPlace {
    std::int64_t index;
    std::int64_t count;
    std::int64_t size;
    double frequency;
};

// One pass over the whole stream; false when cancelled before one of its buffers.
bool RunPass(TStream& file, TCharGenerator& generator, const TPassPlace& place,
             std::vector<std::uint8_t>& buffer, const TOperationEvents& events) {
    file.Seek(0, TSeekOrigin::soBeginning);
    for (std::int64_t done = 0; done < place.size;) {
        if (events.OnCheckCancel())
            return false;
        const auto q = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(buffer.size()), place.size - done));
        const std::int64_t t1 = PerformanceCounter();
        file.ReadBuffer(buffer.data(), q);
        generator.Apply(buffer.data(), q);
        file.Seek(-static_cast<std::int64_t>(q), TSeekOrigin::soCurrent);
        file.WriteBuffer(buffer.data(), q);
        const std::int64_t t2 = PerformanceCounter();
        // The reported done value does not yet count the bytes just written.
        events.OnProgress(place.size * place.index + done, place.size * place.count,
                          static_cast<std::int64_t>(q) / place.count,
                          static_cast<double>(t2 - t1) / place.frequency);
        done += static_cast<std::int64_t>(q);
    }
    return true;
}

}  // namespace

TOverwriteResult OverwritePasses(TStream& file, const TGeneratorList& generators,
                                 const TOperationEvents& events,
                                 const std::function<void()>& endOfPass) {
    const auto frequency = static_cast<double>(PerformanceFrequency());
    const std::int64_t size = file.Size();
    if (size == 0)
        return TOverwriteResult::Empty;
    const auto count = static_cast<std::int64_t>(generators.size());
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(
        std::min<std::int64_t>(size, static_cast<std::int64_t>(kShredBufferSize))));
    for (std::int64_t k = 0; k < count; ++k) {
        const TPassPlace place{k, count, size, frequency};
        const bool finished =
            RunPass(file, *generators[static_cast<std::size_t>(k)], place, buffer, events);
        endOfPass();
        if (!finished)
            return TOverwriteResult::Cancelled;
    }
    return TOverwriteResult::Completed;
}

void OverwriteAndDelete(const std::wstring& path, const TGeneratorList& generators,
                        const TOperationEvents& events) {
    TOverwriteResult result;
    {
        TFileStream file(path, TFileMode::fmOpenReadWrite);
        // A pass that stays in the system's cache may never reach the disk before the file
        // is deleted, so each one is flushed before the next starts.
        result = OverwritePasses(file, generators, events, [&file] { file.Flush(); });
    }
    // Overwritten but still there under its name: the user must hear of it.
    if (result == TOverwriteResult::Completed) {
        if (const unsigned code = DeleteFileAt(path))
            throw DeleteFileError(path, code);
    }
}

}  // namespace dovrel
