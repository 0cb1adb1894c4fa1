#include "shell/about_texts.h"

#include <cstdio>
#include <stdexcept>

namespace talvorne {
namespace {

std::string ZeroPadded(int value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", digits, value);
  return text;
}

}  // namespace

std::string FormatDayMonthYear(const CalendarDate& date,
                               const std::array<std::string, 12>& abbreviatedMonthNames) {
  if (date.month < 1 || date.month > 12) {
    throw std::out_of_range("Mois invalide : " + std::to_string(date.month));
  }
  const std::string& month = abbreviatedMonthNames[static_cast<std::size_t>(date.month - 1)];
  return ZeroPadded(date.day, 2) + " " + month + " " + ZeroPadded(date.year, 4);
}

std::string FileVersionText(std::uint32_t mostSignificant, std::uint32_t leastSignificant) {
  return std::to_string(mostSignificant >> 16) + "." + std::to_string(mostSignificant & 0xFFFF) +
         "." + std::to_string(leastSignificant >> 16) + "." +
         std::to_string(leastSignificant & 0xFFFF);
}

}  // namespace talvorne
