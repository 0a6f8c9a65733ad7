#pragma once

#include <cstdint>
#include <string>

namespace zandrel {

// Local date and time to the millisecond, rendered as the log's stamp texts.
struct DateTimeStamp {
  std::int16_t Year = 0;
  std::int16_t Month = 0;
  std::int16_t Day = 0;
  std::int16_t Hour = 0;
  std::int16_t Minute = 0;
  std::int16_t Second = 0;
  std::int16_t Millisecond = 0;

  // Fills every field from the local clock in one reading.
  void Capture();
  std::string DateText() const;  // "12/7/2026"
  std::string TimeText() const;  // "9:5:3.042"
};

}  // namespace zandrel
