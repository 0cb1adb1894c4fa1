// The about box's date and version texts.
#include "shell/about_texts.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace talvorne {
namespace {

const std::array<std::string, 12> kFrenchMonths = {"janv.", "févr.", "mars",  "avr.",
                                                   "mai",   "juin",  "juil.", "août",
                                                   "sept.", "oct.",  "nov.",  "déc."};

TEST(AboutTexts, DayMonthYear) {
  EXPECT_EQ(FormatDayMonthYear({2021, 2, 5}, kFrenchMonths), "05 févr. 2021");
  EXPECT_EQ(FormatDayMonthYear({2023, 12, 31}, kFrenchMonths), "31 déc. 2023");
  EXPECT_EQ(FormatDayMonthYear({987, 1, 1}, kFrenchMonths), "01 janv. 0987");
  for (const int month : {0, 13, -2147483647 - 1}) {
    EXPECT_THROW(FormatDayMonthYear({2021, month, 5}, kFrenchMonths), std::out_of_range) << month;
  }
}

TEST(AboutTexts, FileVersionFromItsTwoWords) {
  EXPECT_EQ(FileVersionText(0x00010000, 0x00000004), "1.0.0.4");
  // Minor 10 and build 123 are written as they are, unpadded.
  EXPECT_EQ(FileVersionText(0x0001000A, 0x0000007B), "1.10.0.123");
  EXPECT_EQ(FileVersionText(0xFFFF0002, 0x0003FFFF), "65535.2.3.65535");
}

}  // namespace
}  // namespace talvorne
