#include "app/LoggerRecord.h"

#include <cwchar>

namespace dovrel {

namespace {

constexpr std::size_t kMaxDescription = 1023;
constexpr wchar_t kLineBreak[] = L"\r\n";

}  // namespace

std::wstring HexAddress(std::uintptr_t address) {
    wchar_t text[24];
    std::swprintf(text, 24, L"%08llX", static_cast<unsigned long long>(address));
    return text;
}

std::wstring ExceptionDescription(const TRaisedException& raised) {
    std::wstring text = L"Exception " + raised.className + L" in module " + raised.moduleName +
                        L" at " + HexAddress(raised.moduleOffset) + L"." + kLineBreak +
                        raised.message;
    if (!raised.message.empty() && raised.message.back() != L'.')
        text += L'.';
    text += kLineBreak;
    if (text.size() > kMaxDescription)
        text.resize(kMaxDescription);
    return text;
}

std::wstring StackLine(const TCodeAddress& at, const TSymbolInfo& symbol) {
    const std::wstring address = L"[" + HexAddress(at.address) + L"]";
    if (symbol.routine.empty()) {
        return L"(" + HexAddress(at.address - at.codeStart) + L") " + address;
    }
    if (symbol.unit.empty())
        return address + L" " + symbol.routine;
    std::wstring line = address + L" " + symbol.unit + L"." + symbol.routine;
    if (symbol.line != 0 && !symbol.sourceFile.empty()) {
        line += L" (Line " + std::to_wstring(symbol.line) + L", \"" + symbol.sourceFile + L"\")";
    }
    return line;
}

std::vector<std::wstring> ExceptionRecordLines(
    const TRaisedException& raised, const std::wstring& timeStamp,
    const std::function<TSymbolInfo(const TCodeAddress&)>& symbols) {
    std::vector<std::wstring> lines{L"", L"Time: " + timeStamp, ExceptionDescription(raised),
                                    kStackTop};
    for (const TCodeAddress& at : raised.stack)
        lines.push_back(StackLine(at, symbols(at)));
    lines.push_back(kStackBottom);
    return lines;
}

}  // namespace dovrel
