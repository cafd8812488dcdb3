#include "app/Logger.h"

#include <atomic>
#include <mutex>

#include "app/LoggerRecord.h"
#include "app/LoggerSymbols.h"
#include "platform/ExceptionHooks.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/SystemError.h"
#include "platform/Text.h"

namespace dovrel {

namespace {

std::atomic<bool> enabled{false};

// Serialises the appends of all threads. Recursive, because an exception raised while a
// line is written is itself recorded from inside that write. Like the file name it is never
// destroyed: exceptions may still be recorded while the process ends.
std::recursive_mutex& LogGuard() {
    static auto* guard = new std::recursive_mutex;
    return *guard;
}

std::wstring& FileName() {
    static auto* name = new std::wstring;
    return *name;
}

// `value` with leading zeros to `width` digits.
std::wstring Digits(int value, std::size_t width) {
    std::wstring text = std::to_wstring(value);
    if (text.size() < width)
        text.insert(0, width - text.size(), L'0');
    return text;
}

void AppendLine(const std::wstring& text) {
    std::string bytes = ToAnsi(text);
    bytes += "\r\n";
    const std::lock_guard lock(LogGuard());
    const std::wstring& path = FileName();
    try {
        const bool exists = GetAttributeData(path).has_value();
        TFileStream file(path, exists ? TFileMode::fmOpenReadWrite : TFileMode::fmCreate);
        file.Seek(0, TSeekOrigin::soEnd);
        file.Write(bytes.data(), bytes.size());
    } catch (...) {
        // The log must never disturb the program: a line that cannot be written is lost.
    }
}

void WriteExceptionRecord(const TRaisedException& raised) {
    if (!enabled.load())
        return;
    // Symbols are looked up before the log is locked, so that the two locks are never
    // taken in the other order.
    const std::vector<std::wstring> lines =
        ExceptionRecordLines(raised, CurrentTimeStamp(), &LookupStackSymbol);
    const std::lock_guard lock(LogGuard());
    for (const std::wstring& line : lines)
        LogLine(line);
}

}  // namespace

void InitLogger(const std::wstring& switchText, const std::vector<std::wstring>& arguments,
                const std::wstring& dataFolder, const std::wstring& programPath) {
    {
        const std::lock_guard lock(LogGuard());
        FileName() = dataFolder + ExtractFileName(programPath) + L".log";
    }
    enabled.store(false);
    for (const std::wstring& argument : arguments) {
        if (argument == switchText) {
            enabled.store(true);
            break;
        }
    }
}

bool LoggingEnabled() {
    return enabled.load();
}

std::wstring LogFileName() {
    const std::lock_guard lock(LogGuard());
    return FileName();
}

void InstallExceptionLogger() {
    InstallExceptionHooks(&WriteExceptionRecord);
}

void LogMessage(const std::wstring& message, const std::wstring& source) {
    if (enabled.load())
        LogLine(CurrentTimeStamp() + L" " + source + L": " + message);
}

void LogLine(const std::wstring& text) {
    if (enabled.load())
        AppendLine(text);
}

std::wstring FormatErrorCode(std::uint32_t code) {
    return L"Error #" + std::to_wstring(code) + L" " + SystemErrorText(code);
}

std::wstring FormatTimeStamp(const TLocalTime& time, const std::wstring& separator) {
    return std::to_wstring(time.day) + L"." + std::to_wstring(time.month) + L"." +
           Digits(time.year % 100, 2) + L" " + Digits(time.hour, 2) + separator +
           Digits(time.minute, 2) + separator + Digits(time.second, 2) + separator +
           Digits(time.millisecond, 3);
}

std::wstring CurrentTimeStamp() {
    return FormatTimeStamp(CurrentLocalTime(), LocaleTimeSeparator());
}

}  // namespace dovrel
