#include "platform/CommandLine.h"

namespace dovrel {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Splits the arguments after the program's path.
class TArgumentSplitter {
public:
    explicit TArgumentSplitter(std::wstring_view text) : text_(text) {}

    std::vector<std::wstring> Run() {
        SkipBlanks();
        while (pos_ < text_.size()) {
            ReadArgument();
            SkipBlanks();
        }
        return std::move(arguments_);
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
    }

    void ReadArgument() {
        std::wstring argument;
        quotes_ = 0;
        while (pos_ < text_.size() && !(IsBlank(text_[pos_]) && quotes_ == 0)) {
            if (text_[pos_] == L'\\')
                ReadBackslashes(argument);
            else if (text_[pos_] == L'"')
                ReadQuotes(argument);
            else
                argument += text_[pos_++];
        }
        arguments_.push_back(std::move(argument));
    }

    void ReadBackslashes(std::wstring& argument) {
        std::size_t count = 0;
        while (pos_ < text_.size() && text_[pos_] == L'\\')
            ++count, ++pos_;
        if (pos_ >= text_.size() || text_[pos_] != L'"') {
            argument.append(count, L'\\');
            return;
        }
        argument.append(count / 2, L'\\');
        if (count % 2 != 0) {
            argument += L'"';
            ++pos_;
        }
    }

    // A run of quotes: each one opens or closes; the third in a row after an opening one is
    // a literal quote, and the run never ends half-closed.
    void ReadQuotes(std::wstring& argument) {
        while (pos_ < text_.size() && text_[pos_] == L'"') {
            ++pos_;
            if (++quotes_ == 3) {
                argument += L'"';
                quotes_ = 0;
            }
        }
        if (quotes_ == 2)
            quotes_ = 0;
    }

    std::wstring_view text_;
    std::size_t pos_ = 0;
    int quotes_ = 0;  // 0 outside quotes, 1 inside, 2 just closed within a run
    std::vector<std::wstring> arguments_;
};

}  // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
    std::size_t end = 0;
    std::wstring program;
    if (!line.empty() && line.front() == L'"') {
        end = line.find(L'"', 1);
        program = line.substr(1, end == std::wstring_view::npos ? end : end - 1);
        end = end == std::wstring_view::npos ? line.size() : end + 1;
    } else {
        while (end < line.size() && !IsBlank(line[end]))
            ++end;
        program = line.substr(0, end);
    }
    std::vector<std::wstring> arguments{std::move(program)};
    for (std::wstring& argument : TArgumentSplitter(line.substr(end)).Run())
        arguments.push_back(std::move(argument));
    return arguments;
}

}  // namespace dovrel
