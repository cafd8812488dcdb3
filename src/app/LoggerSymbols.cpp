#include "app/LoggerSymbols.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <memory>
#include <mutex>

#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace dovrel {

namespace {

std::string_view NextField(std::string_view& rest) {
    const std::size_t start = std::min(rest.find_first_not_of(' '), rest.size());
    rest.remove_prefix(start);
    const std::size_t end = std::min(rest.find(' '), rest.size());
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end);
    return field;
}

bool ParseNumber(std::string_view field, std::uintptr_t& value, int base) {
    const char* end = field.data() + field.size();
    const auto result = std::from_chars(field.data(), end, value, base);
    return !field.empty() && result.ec == std::errc() && result.ptr == end;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::wstring WithoutFolder(const std::wstring& path) {
    return path.substr(path.find_last_of(L"\\/") + 1);
}

std::wstring WithoutExtension(const std::wstring& name) {
    const std::size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

TSymbolMap::TSymbolMap(std::string_view text) {
    std::uintptr_t imageBase = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        Add(Trimmed(text.substr(0, end)), imageBase);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    for (TRoutine& routine : routines_)
        routine.offset -= imageBase;
    for (TLine& line : lines_)
        line.offset -= imageBase;
    // Rows at one address keep their order: the last of them describes the address.
    const auto byOffset = [](const auto& a, const auto& b) { return a.offset < b.offset; };
    std::stable_sort(routines_.begin(), routines_.end(), byOffset);
    std::stable_sort(lines_.begin(), lines_.end(), byOffset);
}

void TSymbolMap::Add(std::string_view row, std::uintptr_t& imageBase) {
    std::string_view rest = row;
    const std::string_view kind = NextField(rest);
    std::uintptr_t address = 0;
    if (kind.size() != 1 || !ParseNumber(NextField(rest), address, 16))
        return;
    if (kind == "B") {
        imageBase = address;
    } else if (kind == "S") {
        const std::string_view name = Trimmed(rest);
        if (!name.empty())
            routines_.push_back({address, FromUtf8(name)});
    } else if (kind == "L") {
        const std::string_view number = NextField(rest);
        std::uintptr_t line = 0;
        if (number != "-" && !ParseNumber(number, line, 10))
            return;
        // Runs of lines of one file follow each other, so the last file is the likely one.
        const std::string_view file = Trimmed(rest);
        if (files_.empty() || file != lastFile_) {
            lastFile_ = file;
            files_.push_back(WithoutFolder(FromUtf8(file)));
        }
        lines_.push_back({address, static_cast<unsigned>(line), files_.size() - 1});
    }
}

const TSymbolMap::TLine* TSymbolMap::LineAt(std::uintptr_t offset) const {
    auto after =
        std::upper_bound(lines_.begin(), lines_.end(), offset,
                         [](std::uintptr_t o, const TLine& line) { return o < line.offset; });
    return after == lines_.begin() ? nullptr : &*(after - 1);
}

TSymbolInfo TSymbolMap::Lookup(std::uintptr_t offset) const {
    TSymbolInfo info;
    auto after = std::upper_bound(
        routines_.begin(), routines_.end(), offset,
        [](std::uintptr_t o, const TRoutine& routine) { return o < routine.offset; });
    if (after == routines_.begin())
        return info;
    const TRoutine& routine = *(after - 1);
    info.routine = routine.name;
    // The unit is the file the routine's first line belongs to; a line run reaching in from
    // before the routine belongs to other code.
    auto first =
        std::lower_bound(lines_.begin(), lines_.end(), routine.offset,
                         [](const TLine& line, std::uintptr_t o) { return line.offset < o; });
    if (first != lines_.end() && first->offset <= offset && first->line != 0)
        info.unit = WithoutExtension(files_[first->file]);
    const TLine* line = LineAt(offset);
    if (!info.unit.empty() && line != nullptr && line->line != 0) {
        info.line = line->line;
        info.sourceFile = files_[line->file];
    }
    return info;
}

namespace {

std::shared_ptr<const TSymbolMap> ReadSymbolMap(const std::wstring& path) {
    const auto data = GetAttributeData(path);
    if (!data || data->IsFolder())
        return std::make_shared<const TSymbolMap>();
    try {
        TFileStream file(path, TFileMode::fmOpenRead);
        std::string text(static_cast<std::size_t>(file.Size()), '\0');
        text.resize(file.Read(text.data(), text.size()));
        return std::make_shared<const TSymbolMap>(text);
    } catch (...) {
        return std::make_shared<const TSymbolMap>();
    }
}

std::shared_ptr<const TSymbolMap> SymbolMapOf(const std::wstring& modulePath) {
    // Never destroyed, as exceptions may still be recorded while the process ends.
    static auto* guard = new std::mutex;
    static auto* maps = new std::map<std::wstring, std::shared_ptr<const TSymbolMap>>;
    const std::lock_guard lock(*guard);
    auto& map = (*maps)[modulePath];
    if (!map)
        map = ReadSymbolMap(modulePath + L".map");
    return map;
}

}  // namespace

TSymbolInfo LookupStackSymbol(const TCodeAddress& at) {
    if (at.modulePath.empty() || at.address <= at.moduleBase)
        return {};
    return SymbolMapOf(at.modulePath)->Lookup(at.address - at.moduleBase - 1);
}

}  // namespace dovrel
