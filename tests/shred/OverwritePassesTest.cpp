// The procedure every scheme runs: buffers read, transformed and written back in place,
// progress and cancellation per buffer, a flush after every pass.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Error.h"
#include "shred/OverwritePasses.h"
#include "shred/RecordingStream.h"

namespace dovrel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::RecordingStream;
using Kind = RecordingStream::Kind;

struct Report {
    std::int64_t done, total, delta;
    friend bool operator==(const Report&, const Report&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Report& r) {
        return out << "(" << r.done << ", " << r.total << ", " << r.delta << ")";
    }
};

// One single-byte pattern pass per value.
TGeneratorList Patterns(std::initializer_list<std::uint8_t> values) {
    TGeneratorList generators;
    for (const std::uint8_t v : values)
        generators.push_back(std::make_unique<THexGenerator>(v));
    return generators;
}

Bytes Concat(std::size_t n1, std::uint8_t v1, std::size_t n2, std::uint8_t v2) {
    Bytes bytes(n1 + n2, v2);
    std::fill_n(bytes.begin(), n1, v1);
    return bytes;
}

class OverwritePassesTest : public testing::Test {
protected:
    void SetUp() override {
        events.OnCheckCancel = [this] {
            ++polls;
            return cancelAfterReports >= 0 &&
                   reports.size() >= static_cast<std::size_t>(cancelAfterReports);
        };
        events.OnProgress = [this](std::int64_t done, std::int64_t total, std::int64_t delta,
                                   double seconds) {
            reports.push_back({done, total, delta});
            EXPECT_GE(seconds, 0.0);
        };
    }

    TOverwriteResult Run(RecordingStream& stream, const TGeneratorList& generators) {
        return OverwritePasses(stream, generators, events, [&stream] { stream.Flush(); });
    }

    TOperationEvents events;
    std::vector<Report> reports;
    int polls = 0;
    int cancelAfterReports = -1;
};

TEST_F(OverwritePassesTest, EachBufferIsReadAndWrittenBackInPlaceAndEveryPassIsFlushed) {
    RecordingStream stream(Bytes(100000, 0x11));
    ASSERT_EQ(Run(stream, Patterns({0x00, 0xFF})), TOverwriteResult::Completed);

    const std::vector<RecordingStream::Transfer> onePass = {{Kind::Read, 0, 65536},
                                                            {Kind::Write, 0, 65536},
                                                            {Kind::Read, 65536, 34464},
                                                            {Kind::Write, 65536, 34464}};
    auto expected = onePass;
    expected.insert(expected.end(), onePass.begin(), onePass.end());
    EXPECT_EQ(stream.transfers, expected);
    ASSERT_EQ(stream.flushed.size(), 2u);
    EXPECT_EQ(stream.flushed[0], Bytes(100000, 0x00));
    EXPECT_EQ(stream.flushed[1], Bytes(100000, 0xFF));
}

TEST_F(OverwritePassesTest, ProgressCountsTheBytesOfAllPassesBeforeEachBuffer) {
    const struct {
        std::size_t size;
        std::initializer_list<std::uint8_t> passes;
        std::vector<Report> expected;
    } cases[] = {
        {10, {0x00, 0xFF}, {{0, 20, 5}, {10, 20, 5}}},
        {100000,
         {0x00, 0xFF, 0xAA},
         {{0, 300000, 21845},
          {65536, 300000, 11488},
          {100000, 300000, 21845},
          {165536, 300000, 11488},
          {200000, 300000, 21845},
          {265536, 300000, 11488}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        reports.clear(), polls = 0;
        RecordingStream stream(Bytes(c.size, 0x11));
        Run(stream, Patterns(c.passes));
        EXPECT_EQ(reports, c.expected);
        EXPECT_EQ(polls, static_cast<int>(c.expected.size())) << "one check before every buffer";
    }
}

TEST_F(OverwritePassesTest, CancelStopsBeforeTheNextBufferAndFlushesWhatWasWritten) {
    RecordingStream stream(Bytes(100000, 0x11));
    cancelAfterReports = 3;  // pass 1 whole, the first buffer of pass 2
    ASSERT_EQ(Run(stream, Patterns({0xAA, 0xBB})), TOverwriteResult::Cancelled);

    EXPECT_EQ(stream.Bytes(), Concat(65536, 0xBB, 34464, 0xAA));
    EXPECT_EQ(stream.transfers.size(), 6u) << "nothing is read or written after the cancel";
    ASSERT_EQ(stream.flushed.size(), 2u);
    EXPECT_EQ(stream.flushed[1], stream.Bytes());
}

TEST_F(OverwritePassesTest, EmptyStreamRunsNoPass) {
    RecordingStream stream({});
    EXPECT_EQ(Run(stream, Patterns({0x00, 0xFF})), TOverwriteResult::Empty);
    EXPECT_TRUE(stream.transfers.empty());
    EXPECT_TRUE(stream.flushed.empty());
    EXPECT_TRUE(reports.empty());
}

TEST_F(OverwritePassesTest, FailedTransferRaisesAndNothingFollowsIt) {
    const struct {
        bool failRead;
        const wchar_t* message;
    } cases[] = {{true, L"Stream read error"}, {false, L"Stream write error"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.message)));
        reports.clear();
        RecordingStream stream(Bytes(100000, 0x11));
        (c.failRead ? stream.failReadAt : stream.failWriteAt) = 70000;  // second buffer
        try {
            Run(stream, Patterns({0x00, 0xFF}));
            ADD_FAILURE() << "no error raised";
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        ASSERT_EQ(stream.transfers.size(), c.failRead ? 3u : 4u);
        EXPECT_EQ(stream.transfers.back().kind, c.failRead ? Kind::Read : Kind::Write);
        EXPECT_EQ(reports.size(), 1u);
        EXPECT_TRUE(stream.flushed.empty()) << "a failed pass is not reported as flushed";
    }
}

}  // namespace
}  // namespace dovrel
