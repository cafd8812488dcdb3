#include "platform/Stream.h"

#include "platform/Error.h"

namespace dovrel {

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    if (count != 0 && Read(buffer, count) != count)
        throw Error(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (count != 0 && Write(buffer, count) != count)
        throw Error(L"Stream write error");
}

}  // namespace dovrel
