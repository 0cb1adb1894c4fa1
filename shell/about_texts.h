// The about box's texts that need no window: the program file's date and its version.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace talvorne {

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;
};

// "dd mmm yyyy": the day in two digits, the month's abbreviated name, the year in four digits
// ("05 févr. 2021"). A month outside 1 to 12 throws std::out_of_range.
std::string FormatDayMonthYear(const CalendarDate& date,
                               const std::array<std::string, 12>& abbreviatedMonthNames);

// The file version "major.minor.release.build" from the two words that hold it, the first with
// major and minor, the second with release and build, each in its high half then its low half.
std::string FileVersionText(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

}  // namespace talvorne
