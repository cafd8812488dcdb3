#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/LocalTime.h"

// The diagnostic log: time-stamped messages of the program's own code and a record of every
// exception raised in the process. It is off unless the program was started with the
// logging switch, and nothing of it is ever shown to the user.
namespace dovrel {

// Names the log after the program ("<data folder><program file name>.log") and turns
// logging on when one of `arguments` (those after the program path) equals `switchText`
// exactly, letter case included. `dataFolder` ends with a separator.
void InitLogger(const std::wstring& switchText, const std::vector<std::wstring>& arguments,
                const std::wstring& dataFolder, const std::wstring& programPath);

bool LoggingEnabled();
std::wstring LogFileName();

// Records every exception raised from now on, in any thread, with the stack at its raise,
// as long as logging is on.
void InstallExceptionLogger();

// "<time stamp> <source>: <message>" when logging is on.
void LogMessage(const std::wstring& message, const std::wstring& source);
// Appends `text` as one line when logging is on. A line that cannot be written is lost.
void LogLine(const std::wstring& text);

// "Error #<code> <the system's text for it>".
std::wstring FormatErrorCode(std::uint32_t code);

// "d.m.yy hh:nn:ss:zzz", with `separator` for every ":".
std::wstring FormatTimeStamp(const TLocalTime& time, const std::wstring& separator);
// The time stamp of now, in the locale's time separator.
std::wstring CurrentTimeStamp();

}  // namespace dovrel
