#include "platform/Error.h"

#include "platform/Text.h"

namespace dovrel {

Error::Error(std::wstring message, unsigned systemCode)
    : std::runtime_error(ToUtf8(message)), message_(std::move(message)), systemCode_(systemCode) {}

}  // namespace dovrel
