#include "feedback/timedate.h"

#include <time.h>  // NOLINT(modernize-deprecated-headers): localtime_r is POSIX, not in <ctime>

namespace zandrel {

void DateTimeStamp::Capture() {
  // One reading of the clock, so the milliseconds belong to the same second as the rest.
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  Year = static_cast<std::int16_t>(local.tm_year + 1900);
  Month = static_cast<std::int16_t>(local.tm_mon + 1);
  Day = static_cast<std::int16_t>(local.tm_mday);
  Hour = static_cast<std::int16_t>(local.tm_hour);
  Minute = static_cast<std::int16_t>(local.tm_min);
  // A leap second is shown as the last ordinary one.
  Second = static_cast<std::int16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
  Millisecond = static_cast<std::int16_t>(now.tv_nsec / 1000000);
}

std::string DateTimeStamp::DateText() const {
  return std::to_string(Month) + "/" + std::to_string(Day) + "/" + std::to_string(Year);
}

std::string DateTimeStamp::TimeText() const {
  const std::string milliseconds = std::to_string(Millisecond);
  std::string padding;
  if (milliseconds.size() == 1)
    padding = "00";
  else if (milliseconds.size() == 2)
    padding = "0";
  return std::to_string(Hour) + ":" + std::to_string(Minute) + ":" + std::to_string(Second) + "." +
         padding + milliseconds;
}

}  // namespace zandrel
