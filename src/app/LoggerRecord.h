#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/LoggerSymbols.h"
#include "platform/ExceptionHooks.h"

namespace dovrel {

// The lines of the log's record of a raised exception: an empty line, the time, the
// description, the stack between its two rulers. The description holds line breaks of
// its own and ends with one.
std::vector<std::wstring> ExceptionRecordLines(
    const TRaisedException& raised, const std::wstring& timeStamp,
    const std::function<TSymbolInfo(const TCodeAddress&)>& symbols);

// "Exception %s in module %s at %p." CR LF "%s%s" CR LF, cut to 1023 characters.
std::wstring ExceptionDescription(const TRaisedException& raised);

// One stack line, in the most detailed form the symbol information allows.
std::wstring StackLine(const TCodeAddress& at, const TSymbolInfo& symbol);

// An address in upper-case hexadecimal, at least eight digits.
std::wstring HexAddress(std::uintptr_t address);

inline constexpr wchar_t kStackTop[] = L"STACK TOP-----------------------------------------------";
inline constexpr wchar_t kStackBottom[] =
    L"STACK BOTTOM--------------------------------------------";

}  // namespace dovrel
