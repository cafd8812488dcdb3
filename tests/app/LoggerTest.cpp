#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <thread>

#include "app/Logger.h"
#include "app/LoggerRecord.h"
#include "platform/Error.h"
#include "platform/ExceptionHooks.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Shell.h"
#include "platform/SystemError.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

TEST(Logger, TimeStampHasDayAndMonthBareAndTheRestPadded) {
    const struct {
        TLocalTime time;
        const wchar_t* separator;
        const wchar_t* stamp;
    } cases[] = {
        {{2010, 3, 5, 14, 7, 9, 42}, L":", L"5.3.10 14:07:09:042"},
        {{2009, 12, 31, 0, 0, 0, 999}, L".", L"31.12.09 00.00.00.999"},
        {{2000, 1, 1, 23, 59, 5, 0}, L"h", L"1.1.00 23h59h05h000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTimeStamp(c.time, c.separator), c.stamp);
}

TEST(Logger, ErrorCodeTextIsNumberAndTrimmedSystemText) {
    EXPECT_EQ(FormatErrorCode(5), L"Error #5 " + SystemErrorText(5));
    const std::wstring text = FormatErrorCode(2);
    EXPECT_EQ(text.rfind(L"Error #2 ", 0), 0u) << text;
    EXPECT_GT(text.size(), 9u) << "the system's text is missing";
    EXPECT_NE(text.back(), L'.');
}

std::string ReadAll(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the log ends inside a line";
    return lines;
}

std::regex TimeStampPattern() {
    const std::string separator = ToUtf8(LocaleTimeSeparator());
    std::string quoted;
    for (char c : separator)
        quoted += std::string("\\") + c;
    return std::regex("[0-9]{1,2}\\.[0-9]{1,2}\\.[0-9]{2} [0-9]{2}" + quoted + "[0-9]{2}" + quoted +
                      "[0-9]{2}" + quoted + "[0-9]{3}");
}

class LoggerFile : public ::testing::Test {
protected:
    void TearDown() override { InitLogger(L"-debug", {}, temp_.Folder(), Program()); }

    std::wstring Program() const { return temp_.Path(L"bin") + kPathDelim + L"Dovrel.exe"; }
    std::wstring Log() const { return temp_.Path(L"Dovrel.exe.log"); }
    void Start(const std::vector<std::wstring>& arguments) {
        InitLogger(L"-debug", arguments, temp_.Folder(), Program());
    }

    test::TempFolder temp_;
};

TEST_F(LoggerFile, SwitchMustMatchExactlyInAnyPosition) {
    const struct {
        std::vector<std::wstring> arguments;
        bool enabled;
    } cases[] = {
        {{L"-debug"}, true},
        {{L"/encrypt", L"C:\\a.txt", L"-debug"}, true},
        {{L"-debug", L"-debug"}, true},
        {{}, false},
        {{L"-DEBUG"}, false},
        {{L"/debug"}, false},
        {{L"-debugx"}, false},
        {{L" -debug"}, false},
    };
    for (const auto& c : cases) {
        Start({L"-debug"});
        Start(c.arguments);  // each start begins with logging off
        EXPECT_EQ(LoggingEnabled(), c.enabled)
            << testing::PrintToString(ToUtf8(c.arguments.empty() ? L"(none)" : c.arguments.back()));
    }
    EXPECT_EQ(LogFileName(), temp_.Folder() + L"Dovrel.exe.log");
}

TEST_F(LoggerFile, NothingIsWrittenWithoutTheSwitch) {
    Start({L"-DEBUG"});
    LogMessage(L"SetFileAttributes failed", L"CoreHide");
    LogLine(L"text");
    EXPECT_FALSE(GetAttributeData(Log()));
}

TEST_F(LoggerFile, MessageLineIsTimeStampSourceAndText) {
    Start({L"-debug"});
    const std::wstring message = L"SetFileAttributes failed " + FormatErrorCode(5);
    LogMessage(message, L"CoreHide");
    const std::vector<std::string> lines = SplitLines(ReadAll(Log()));
    ASSERT_EQ(lines.size(), 1u);
    const std::string tail = " CoreHide: " + ToAnsi(message);
    ASSERT_GT(lines[0].size(), tail.size());
    const std::size_t cut = lines[0].size() - tail.size();
    EXPECT_EQ(lines[0].substr(cut), tail);
    EXPECT_TRUE(std::regex_match(lines[0].substr(0, cut), TimeStampPattern())) << lines[0];
}

TEST_F(LoggerFile, LinesAreAnsiWithCrLfAndAppendToEarlierRuns) {
    {
        TFileStream earlier(Log(), TFileMode::fmCreate);
        earlier.WriteBuffer("earlier run\r\n", 13);
    }
    Start({L"-debug"});
    LogLine(L"Caf\u00E9");
    LogLine(L"");
    LogLine(L"last");
    EXPECT_EQ(ReadAll(Log()), "earlier run\r\n" + ToAnsi(L"Caf\u00E9") + "\r\n\r\nlast\r\n");
    EXPECT_EQ(ToAnsi(L"Caf\u00E9").size(), 4u) << "one byte per character, not UTF-8";
}

TEST_F(LoggerFile, LineThatCannotBeWrittenIsLostQuietly) {
    // The data folder is missing, then the log's name is taken by a folder.
    InitLogger(L"-debug", {L"-debug"}, temp_.Path(L"missing") + kPathDelim, Program());
    EXPECT_NO_THROW(LogMessage(L"lost", L"CoreHide"));
    EXPECT_FALSE(GetAttributeData(temp_.Path(L"missing")));

    ASSERT_TRUE(CreateFolderChain(Log()));
    Start({L"-debug"});
    EXPECT_NO_THROW(LogLine(L"lost"));
    EXPECT_TRUE(GetAttributeData(Log())->IsFolder());
}

TEST_F(LoggerFile, LinesOfSeveralThreadsStayWhole) {
    Start({L"-debug"});
    constexpr int kThreads = 4;
    constexpr int kLines = 50;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kLines; ++i)
                LogMessage(std::wstring(100, static_cast<wchar_t>(L'a' + t)) + std::to_wstring(i),
                           L"Thread" + std::to_wstring(t));
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    const std::vector<std::string> lines = SplitLines(ReadAll(Log()));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
    std::set<std::string> seen;
    const std::regex line("(.+) Thread([0-9]): ([a-d]{100}[0-9]+)");
    for (const std::string& text : lines) {
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(text, parts, line)) << text;
        EXPECT_EQ(parts[3].str()[0], 'a' + std::stoi(parts[2].str())) << text;
        seen.insert(parts[2].str() + parts[3].str());
    }
    EXPECT_EQ(seen.size(), lines.size());
}

// The exception records, written through the process-wide hook.
class LoggerRecords : public LoggerFile {
protected:
    void SetUp() override {
        previous_ = InstallExceptionHooks(nullptr);
        InstallExceptionLogger();
    }
    void TearDown() override {
        InstallExceptionHooks(previous_);
        LoggerFile::TearDown();
    }

    // The records in the log, each as its lines; fails on lines outside a whole record.
    std::vector<std::vector<std::string>> Records() {
        std::vector<std::vector<std::string>> records;
        const std::vector<std::string> lines = SplitLines(ReadAll(Log()));
        for (std::size_t i = 0; i < lines.size();) {
            const auto bottom = std::find(lines.begin() + static_cast<std::ptrdiff_t>(i),
                                          lines.end(), ToUtf8(kStackBottom));
            EXPECT_NE(bottom, lines.end()) << "a record without its end";
            const auto end = bottom == lines.end() ? lines.end() : bottom + 1;
            records.emplace_back(lines.begin() + static_cast<std::ptrdiff_t>(i), end);
            i = static_cast<std::size_t>(end - lines.begin());
        }
        return records;
    }

    TExceptionNotification previous_ = nullptr;
};

constexpr int kThrowLine = __LINE__ + 3;
[[gnu::noinline]] void ThrowOptionsError() {
    // Stands for a failed read of the options file that its caller turns into a default.
    throw Error(L"Cannot open file \"options.ini\". Access is denied");
}

bool IsStackLine(const std::string& line) {
    static const std::regex forms(
        "\\[[0-9A-F]{8,}\\] .+\\..+ \\(Line [0-9]+, \"[^\"]+\"\\)"  // unit, routine, line
        "|\\[[0-9A-F]{8,}\\] [^ ].*"                                // unit and routine, or routine
        "|\\([0-9A-F]{8,}\\) \\[[0-9A-F]{8,}\\]");                  // nothing known
    return std::regex_match(line, forms);
}

TEST_F(LoggerRecords, HandledExceptionGetsAFullRecord) {
    Start({L"-debug"});
    EXPECT_THROW(ThrowOptionsError(), Error);
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u) << "one record per raise";
    const std::vector<std::string>& record = records[0];
    ASSERT_GE(record.size(), 8u);
    EXPECT_EQ(record[0], "");
    ASSERT_EQ(record[1].rfind("Time: ", 0), 0u);
    EXPECT_TRUE(std::regex_match(record[1].substr(6), TimeStampPattern())) << record[1];
    const std::regex description("Exception dovrel::Error in module (.+) at [0-9A-F]{8,}\\.");
    std::smatch module;
    ASSERT_TRUE(std::regex_match(record[2], module, description)) << record[2];
    EXPECT_EQ(module[1].str(), ToUtf8(ExtractFileName(ModulePath())));
    EXPECT_EQ(record[3], "Cannot open file \"options.ini\". Access is denied.");
    EXPECT_EQ(record[4], "");
    EXPECT_EQ(record[5], ToUtf8(kStackTop));
    EXPECT_EQ(record.back(), ToUtf8(kStackBottom));
    for (std::size_t i = 6; i + 1 < record.size(); ++i)
        EXPECT_TRUE(IsStackLine(record[i])) << record[i];
#ifdef _WIN32
    // The build writes a symbol map beside the Windows program.
    const std::string thrower =
        "LoggerTest.dovrel::(anonymous namespace)::ThrowOptionsError() (Line " +
        std::to_string(kThrowLine) + ", \"LoggerTest.cpp\")";
    EXPECT_TRUE(std::any_of(
        record.begin(), record.end(),
        [&](const std::string& line) { return line.find(thrower) != std::string::npos; }))
        << "no stack line names " << thrower;
#endif
}

TEST_F(LoggerRecords, NoRecordWithoutTheSwitch) {
    Start({L"/debug"});
    EXPECT_THROW(ThrowOptionsError(), Error);
    EXPECT_FALSE(GetAttributeData(Log()));
}

TEST_F(LoggerRecords, ExceptionWhileWritingARecordGetsNoRecordOfItsOwn) {
    // Every line of this record fails to open the log, which raises inside the writing; were
    // those exceptions recorded too, each would raise again without end.
    InitLogger(L"-debug", {L"-debug"}, temp_.Path(L"missing") + kPathDelim, Program());
    EXPECT_THROW(ThrowOptionsError(), Error);
    EXPECT_FALSE(GetAttributeData(temp_.Path(L"missing")));

    // The thread records again once the failed record is over.
    Start({L"-debug"});
    EXPECT_THROW(ThrowOptionsError(), Error);
    EXPECT_EQ(Records().size(), 1u);
}

TEST_F(LoggerRecords, RecordsOfSeveralThreadsStayWhole) {
    Start({L"-debug"});
    constexpr int kThreads = 2;
    constexpr int kThrows = 10;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kThrows; ++i) {
                try {
                    throw Error(L"thread " + std::to_wstring(t));
                } catch (const Error&) {
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    const auto records = Records();
    ASSERT_EQ(records.size(), static_cast<std::size_t>(kThreads * kThrows));
    int perThread[kThreads] = {};
    for (const auto& record : records) {
        ASSERT_GE(record.size(), 7u);
        EXPECT_EQ(record[0], "");
        EXPECT_EQ(record[1].rfind("Time: ", 0), 0u);
        EXPECT_EQ(record[5], ToUtf8(kStackTop));
        for (std::size_t i = 6; i + 1 < record.size(); ++i)
            ASSERT_TRUE(IsStackLine(record[i])) << "records interleaved: " << record[i];
        if (record[3] == "thread 0.")
            ++perThread[0];
        if (record[3] == "thread 1.")
            ++perThread[1];
    }
    EXPECT_EQ(perThread[0], kThrows);
    EXPECT_EQ(perThread[1], kThrows);
}

}  // namespace
}  // namespace dovrel
