#pragma once

#include <stdexcept>
#include <string>

namespace dovrel {

// The one exception class of the program: every failure it reports carries the text
// the user is shown. The text is kept as UTF-16 so paths survive unchanged; what()
// gives it as UTF-8 for logs and the command line.
class Error : public std::runtime_error {
public:
    explicit Error(std::wstring message);

    const std::wstring& Message() const noexcept { return message_; }

private:
    std::wstring message_;
};

}  // namespace dovrel
