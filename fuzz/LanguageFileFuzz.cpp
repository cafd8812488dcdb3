// A ".lng" file of any bytes either loads or raises the translations error, its header's
// language agrees with the quick reader's, and every text of it formats without failing.
#include <cstdint>

#include "FuzzSupport.h"
#include "app/LanguageFile.h"
#include "app/MessageFormat.h"
#include "app/TextFileLines.h"
#include "platform/Error.h"

namespace {

using namespace dovrel;
using namespace dovrel::fuzz;

// What a pattern shows when no argument comes: only "%%" changes.
std::wstring WithoutArguments(std::wstring_view pattern) {
    std::wstring out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        out.push_back(pattern[i]);
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L'%')
            ++i;
    }
    return out;
}

void CheckFormatting(const std::wstring& pattern, const std::wstring& otherText) {
    if (FormatMessageText(pattern, std::span<const TFormatArg>()) != WithoutArguments(pattern))
        Fail("a pattern without arguments changed", pattern);
    const std::wstring formatted = FormatMessageText(pattern, -2147483648LL, otherText, 7);
    const std::size_t limit = pattern.size() + otherText.size() + 12 + 1;
    if (formatted.size() > limit)
        Fail("a formatted text grew beyond its arguments", pattern);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::wstring> lines = SplitLines(DecodeTextBytes(Bytes(data, size)));
    for (const std::wstring& line : lines)
        DecodeEscapes(line);
    TLanguageFile file;
    try {
        file = TLanguageFile::Parse(lines);
    } catch (const Error& e) {
        if (e.Message().rfind(L"Loading translations failed.\r\nLine ", 0) != 0)
            Fail("a language file raised another error", e.Message());
        return 0;
    }
    if (file.LanguageId() != ReadLanguageId(lines))
        Fail("the header's language differs between the readers");
    const auto& entries = file.Constants().Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (file.Constants().Find(entries[i].key) != &entries[i].text)
            Fail("a constant cannot be found by its key", entries[i].key);
        CheckFormatting(entries[i].text, entries[(i + 1) % entries.size()].text);
    }
    return 0;
}
