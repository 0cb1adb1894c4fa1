// The files through which a test drives the stand-in Zuruzevu, both beside its executable, and the
// way it writes texts into its log. The formats are described at the top of
// tests/fakes/stand_in_zuruzevu.cpp.
#pragma once

#include <string>
#include <string_view>

namespace talvorne::testing {

inline constexpr wchar_t kZuruzevuOptionsFile[] = L"zuruzevu_options.txt";
inline constexpr wchar_t kZuruzevuLogFile[] = L"zuruzevu_log.txt";
inline constexpr wchar_t kZuruzevuWindowClass[] = L"StandInZuruzevu";

// UTF-8 text with \r, \n, \t and \\ escaped, so that one event stays on one line.
inline std::string EscapedForLog(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\r':
        escaped += "\\r";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\t':
        escaped += "\\t";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

}  // namespace talvorne::testing
