#include "shell/format_settings.h"

#include <windows.h>

#include "win32/text_encoding.h"

namespace talvorne {

FormatSettings ReadUserFormatSettings() {
  FormatSettings settings;
  wchar_t separator[8] = {};
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
  // The table is tab-separated text: a missing separator, or one that is a blank, a control
  // character or a digit, would corrupt it, so those keep ".".
  const wchar_t first = separator[0];
  if (first > L' ' && !(first >= L'0' && first <= L'9') && first != 0x7F) {
    settings.decimalSeparator = Narrow(std::wstring_view(separator, 1));
  }
  wchar_t list[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SLIST, list, 8) > 1) {
    settings.listSeparator = Narrow(list);
  }
  for (std::size_t month = 0; month < settings.abbreviatedMonthNames.size(); ++month) {
    wchar_t name[80] = {};
    const int length = GetLocaleInfoEx(
        LOCALE_NAME_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(month), name, 80);
    if (length > 1) settings.abbreviatedMonthNames[month] = Narrow(name);
  }
  return settings;
}

}  // namespace talvorne
