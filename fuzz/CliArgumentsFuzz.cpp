// dovrel-cli's argument parser over any arguments, one per NUL-separated part of the input.
#include <cstdint>

#include "CliCheck.h"
#include "FuzzSupport.h"
#include "platform/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::wstring> args;
    std::string_view rest = dovrel::fuzz::Bytes(data, size);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\0'), rest.size());
        args.push_back(dovrel::FromUtf8(rest.substr(0, end)));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    dovrel::fuzz::CheckCliArguments(args);
    return 0;
}
