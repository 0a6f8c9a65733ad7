#include <gtest/gtest.h>
#include <time.h>

#include "feedback/timedate.h"

namespace zandrel {
namespace {

TEST(DateTimeStamp, TextsAreMonthFirstAndUnpaddedExceptTheMilliseconds) {
  struct Case {
    DateTimeStamp stamp;
    const char* date;
    const char* time;
  };
  const Case cases[] = {
      {DateTimeStamp{2026, 12, 7, 14, 3, 9, 42}, "12/7/2026", "14:3:9.042"},
      {DateTimeStamp{2027, 1, 5, 9, 5, 3, 42}, "1/5/2027", "9:5:3.042"},
      {DateTimeStamp{2026, 12, 31, 0, 0, 0, 0}, "12/31/2026", "0:0:0.000"},
      {DateTimeStamp{2026, 10, 10, 23, 59, 59, 999}, "10/10/2026", "23:59:59.999"},
      {DateTimeStamp{2026, 2, 28, 12, 30, 45, 7}, "2/28/2026", "12:30:45.007"},
      {DateTimeStamp{2026, 2, 28, 12, 30, 45, 70}, "2/28/2026", "12:30:45.070"},
      {DateTimeStamp{2026, 2, 28, 12, 30, 45, 100}, "2/28/2026", "12:30:45.100"},
      {DateTimeStamp{}, "0/0/0", "0:0:0.000"},  // never captured
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.stamp.DateText(), c.date);
    EXPECT_EQ(c.stamp.TimeText(), c.time);
  }
}

TEST(DateTimeStamp, CaptureReadsTheLocalClock) {
  // Retried when the second changes between the readings.
  for (int attempt = 0; attempt < 5; ++attempt) {
    const time_t before = time(nullptr);
    DateTimeStamp stamp;
    stamp.Capture();
    const time_t after = time(nullptr);
    if (before != after) continue;
    tm local{};
    localtime_r(&before, &local);
    EXPECT_EQ(stamp.Year, local.tm_year + 1900);
    EXPECT_EQ(stamp.Month, local.tm_mon + 1);
    EXPECT_EQ(stamp.Day, local.tm_mday);
    EXPECT_EQ(stamp.Hour, local.tm_hour);
    EXPECT_EQ(stamp.Minute, local.tm_min);
    EXPECT_EQ(stamp.Second, local.tm_sec);
    EXPECT_GE(stamp.Millisecond, 0);
    EXPECT_LE(stamp.Millisecond, 999);
    return;
  }
  FAIL() << "the clock kept changing seconds";
}

}  // namespace
}  // namespace zandrel
