#include <gtest/gtest.h>

#include "app/LangManager.h"
#include "wizard/ProgressTexts.h"

namespace dovrel {
namespace {

constexpr double kHour = 1.0 / 24;
constexpr double kSecond = kHour / 3600;

TEST(ProgressTick, WithNoRunShowsNothingDoneOfNothing) {
    const TProgressTexts texts = ProgressTick(TRunProgress{}, L":");
    EXPECT_EQ(texts.ElapsedTime, L"00:00:00");
    EXPECT_EQ(texts.EstimatedTime, L"00:00:00");
    EXPECT_EQ(texts.CurrentFilePosition, 0);
    EXPECT_EQ(texts.AllFilesPosition, 0);
    EXPECT_EQ(texts.Caption, L"0% completed...");
    EXPECT_EQ(texts.MainCaption, L"Dovrel - 0% completed...");
    EXPECT_EQ(texts.FileName, L"");
    EXPECT_EQ(texts.FilesPercent, L"0 of 0");
}

TEST(ProgressTick, DuringARunShowsTheCountersOfItsMoment) {
    TRunProgress progress;
    progress.Elapsed = 1 * kHour + 2 * 60 * kSecond + 3 * kSecond;
    progress.Remaining = 25 * kHour + 59 * kSecond;
    progress.CurrentItem = L"C:\\Data\\report.doc";
    progress.CurrentIndex = 3;
    progress.ItemCount = 218;
    progress.ItemDone = 1;
    progress.ItemTotal = 8;  // 12.5 rounds to even: 12
    progress.BytesDone = 37;
    progress.TotalBytes = 100;
    const TProgressTexts texts = ProgressTick(progress, L".");
    EXPECT_EQ(texts.ElapsedTime, L"01.02.03") << "with the locale's separator";
    EXPECT_EQ(texts.EstimatedTime, L"01.00.59") << "25 hours read as the hour of the day";
    EXPECT_EQ(texts.CurrentFilePosition, 12);
    EXPECT_EQ(texts.AllFilesPosition, 37);
    EXPECT_EQ(texts.Caption, L"37% completed...");
    EXPECT_EQ(texts.MainCaption, L"Dovrel - 37% completed...");
    EXPECT_EQ(texts.FileName, L"C:\\Data\\report.doc");
    EXPECT_EQ(texts.FilesPercent, L"3 of 218");
}

TEST(ProgressTick, PercentsRoundToTheNearestTiesToEven) {
    const struct {
        std::int64_t done, total;
        int expected;
    } cases[] = {{1, 8, 12},
                 {3, 8, 38},
                 {1, 3, 33},
                 {2, 3, 67},
                 {0, 1, 0},
                 {1, 1, 100},
                 {(1LL << 40) - 1, 1LL << 40, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.done << " of " << c.total);
        EXPECT_EQ(RoundedPercent(c.done, c.total), c.expected);
    }
}

TEST(ProgressTick, TimesAreCutToTheSecondAfterRoundingToTheMillisecond) {
    EXPECT_EQ(FormatTimeOfDay(59.9994 * kSecond, L":"), L"00:00:59");
    EXPECT_EQ(FormatTimeOfDay(59.9996 * kSecond, L":"), L"00:01:00");
    EXPECT_EQ(FormatTimeOfDay(24 * kHour - 0.0001 * kSecond, L":"), L"00:00:00");
    EXPECT_EQ(FormatTimeOfDay(23 * kHour + 59 * 60 * kSecond + 59 * kSecond, L":"), L"23:59:59");
}

}  // namespace
}  // namespace dovrel
