// The portable private-profile engine over a file of any bytes: reads never fail or exceed
// the value limit, and a write then an erase of one section leave every other section as
// it was.
#include <algorithm>
#include <cstdint>

#include "FuzzSupport.h"
#include "platform/Error.h"
#include "platform/PortableIniFile.h"

namespace {

using namespace dovrel;
using namespace dovrel::fuzz;

// Digits only, so that no letter case can make another section the same one.
const std::wstring kSection = L"7781";
const std::wstring kKey = L"FuzzKey";
const std::wstring kValue = L"a value = with \"quotes\" ";

void CheckReads(TPortableIniFile& ini, const std::vector<std::wstring>& sections) {
    for (std::size_t i = 0; i < sections.size() && i < 8; ++i) {
        for (const wchar_t* key : {L"Count", L"ItemType", L"FilePath", L""}) {
            if (ini.ReadString(sections[i], key, L"").size() > TIniFile::kMaxValueLength)
                Fail("a value longer than the limit", sections[i]);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path box = FreshFolder("box");
    WriteFile(box / "p.ini", Bytes(data, size));
    TPortableIniFile ini(AsFolder(box) + L"p.ini");

    const std::vector<std::wstring> before = ini.ReadSections();
    CheckReads(ini, before);
    const bool existed = std::find(before.begin(), before.end(), kSection) != before.end();

    ini.WriteString(kSection, kKey, kValue);
    if (ini.ReadString(kSection, kKey, L"") != L"a value = with \"quotes\"")
        Fail("a written value reads back otherwise");
    std::vector<std::wstring> expected = before;
    if (!existed)
        expected.push_back(kSection);
    if (ini.ReadSections() != expected)
        Fail("a write changed the list of sections");
    if (Listing(box) != std::set<std::string>{"p.ini"})
        Fail("a write left another file beside the profile");

    ini.EraseSection(kSection);
    expected.erase(std::find(expected.begin(), expected.end(), kSection));
    if (ini.ReadSections() != expected)
        Fail("erasing one section changed the others");
    if (!existed && ini.ReadString(kSection, kKey, L"gone") != L"gone")
        Fail("an erased section still answers");
    return 0;
}
