// Fills the "%s" and "%d" placeholders of the program's message patterns, in order.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace talvorne {

inline std::string FillPlaceholders(std::string pattern,
                                    std::initializer_list<std::string_view> values) {
  std::size_t from = 0;
  for (std::string_view value : values) {
    const std::size_t at = pattern.find('%', from);
    if (at == std::string::npos || at + 1 >= pattern.size()) break;
    pattern.replace(at, 2, value);
    from = at + value.size();
  }
  return pattern;
}

}  // namespace talvorne
