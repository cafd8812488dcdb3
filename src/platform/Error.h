#pragma once

#include <stdexcept>
#include <string>

namespace dovrel {

// The one exception class of the program: every failure it reports carries the text
// the user is shown. The text is kept as UTF-16 so paths survive unchanged; what()
// gives it as UTF-8 for logs and the command line.
class Error : public std::runtime_error {
public:
    explicit Error(std::wstring message, unsigned systemCode = 0);

    const std::wstring& Message() const noexcept { return message_; }
    // The system error code behind the failure, 0 when there is none.
    unsigned SystemCode() const noexcept { return systemCode_; }

private:
    std::wstring message_;
    unsigned systemCode_;
};

}  // namespace dovrel
