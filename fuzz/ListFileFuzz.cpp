// The list file "todo" of any bytes, in any encoding and with any line ends: the items are
// its lines, none holds a line break, and joined again they give back the decoded text.
// The same items written by the context menu's writer read back as themselves.
#include <cstdint>

#include "FuzzSupport.h"
#include "app/CmdLineActivate.h"
#include "app/TextFileLines.h"
#include "shellext/ListFile.h"

namespace {

using namespace dovrel;
using namespace dovrel::fuzz;

// The text with every CR LF and lone CR made an LF and one closing break dropped.
std::wstring Normalized(std::wstring_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            continue;
        out.push_back(text[i] == L'\r' ? L'\n' : text[i]);
    }
    if (!out.empty() && out.back() == L'\n')
        out.pop_back();
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = Bytes(data, size);
    const std::filesystem::path folder = FreshFolder("data");
    WriteFile(folder / "todo", bytes);

    PreselectedItems() = {L"kept"};
    LoadPreselectedItems(AsFolder(folder));
    std::vector<std::wstring> items = PreselectedItems();
    if (items.empty() || items.back() != L"kept")
        Fail("the items listed before were lost");
    items.pop_back();

    std::wstring joined;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].find_first_of(L"\r\n") != std::wstring::npos)
            Fail("an item holds a line break", items[i]);
        joined += (i == 0 ? L"" : L"\n") + items[i];
    }
    const std::wstring text = DecodeTextBytes(bytes);
    if (joined != Normalized(text))
        Fail("the items are not the file's lines");
    if (items != SplitLines(text))
        Fail("the file and the text give other lines");
    if (SplitLines(DecodeTextBytes(shellext::EncodeListFile(items))) != items)
        Fail("the written list reads back otherwise");
    return 0;
}
