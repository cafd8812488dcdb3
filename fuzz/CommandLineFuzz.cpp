// The splitter of Windows command lines over any line: it always yields the program's
// path, and arguments quoted by the usual rule split back into the same arguments. The
// arguments then go through dovrel-cli's parser.
#include <cstdint>

#include "CliCheck.h"
#include "FuzzSupport.h"
#include "platform/CommandLine.h"
#include "platform/Text.h"

namespace {

using namespace dovrel;

// The quoting that makes any text one argument of the Windows rules.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        out.push_back(c);
        backslashes = 0;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::wstring> args = SplitCommandLine(FromUtf8(fuzz::Bytes(data, size)));
    if (args.empty())
        fuzz::Fail("no program path");
    std::wstring line = L"\"C:\\Program Files\\Dovrel\\Dovrel.exe\"";
    for (std::size_t i = 1; i < args.size(); ++i)
        line += L" " + Quoted(args[i]);
    std::vector<std::wstring> again = SplitCommandLine(line);
    again.front() = args.front();
    if (again != args)
        fuzz::Fail("quoted arguments split otherwise", line);
    fuzz::CheckCliArguments(std::vector<std::wstring>(args.begin() + 1, args.end()));
    return 0;
}
