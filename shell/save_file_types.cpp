#include "shell/save_file_types.h"

#include <algorithm>
#include <cstdio>

namespace talvorne {
namespace {

bool EndsWithExtension(std::wstring_view name, std::wstring_view extension) {
  if (name.size() <= extension.size() || name[name.size() - extension.size() - 1] != L'.') {
    return false;
  }
  name.remove_prefix(name.size() - extension.size());
  return std::equal(name.begin(), name.end(), extension.begin(), [](wchar_t typed, wchar_t lower) {
    return (typed >= L'A' && typed <= L'Z' ? typed - L'A' + L'a' : typed) == lower;
  });
}

}  // namespace

std::optional<std::size_t> TypeNamedBy(std::wstring_view name, FileExtensions extensions) {
  for (std::size_t type = 0; type < extensions.size(); ++type) {
    if (EndsWithExtension(name, extensions[type])) return type;
  }
  return std::nullopt;
}

std::wstring NameForPickedType(std::wstring_view name, FileExtensions extensions,
                               std::size_t picked) {
  const std::optional<std::size_t> named = TypeNamedBy(name, extensions);
  if (!named || *named == picked || picked >= extensions.size()) return std::wstring(name);
  name.remove_suffix(extensions[*named].size());
  return std::wstring(name) + std::wstring(extensions[picked]);
}

std::string ProposedFileName(std::string_view stem, const LocalTime& time,
                             std::string_view extension) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, " %04d-%02d-%02d %02d-%02d-%02d.", time.year, time.month,
                time.day, time.hour, time.minute, time.second);
  return std::string(stem) + stamp + std::string(extension);
}

}  // namespace talvorne
