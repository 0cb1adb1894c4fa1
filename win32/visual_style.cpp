#include "win32/visual_style.h"

#include <charconv>
#include <map>
#include <string>

#include "resources/resource_ids.h"
#include "win32/resource_text.h"

namespace talvorne {
namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// "key = value" lines; "#" starts a comment line.
std::map<std::string, std::string, std::less<>> ReadEntries(std::string_view text) {
  std::map<std::string, std::string, std::less<>> entries;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == '#' || equals == std::string_view::npos) continue;
    entries.emplace(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
  }
  return entries;
}

std::optional<COLORREF> ReadColour(std::string_view text) {
  int parts[3];
  const char* position = text.data();
  const char* const end = text.data() + text.size();
  for (int& part : parts) {
    while (position < end && *position == ' ') ++position;
    const auto [next, error] = std::from_chars(position, end, part);
    if (error != std::errc{} || part < 0 || part > 255) return std::nullopt;
    position = next;
  }
  if (position != end) return std::nullopt;
  return RGB(parts[0], parts[1], parts[2]);
}

struct StyleSearch {
  HMODULE module;
  std::string_view name;
  std::optional<std::string_view> found;
};

BOOL CALLBACK CheckStyleResource(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR search) {
  auto& wanted = *reinterpret_cast<StyleSearch*>(search);
  const std::string_view text = ResourceText(module, name, type).value_or("");
  const auto entries = ReadEntries(text);
  const auto styleName = entries.find("name");
  if (styleName == entries.end() || styleName->second != wanted.name) return TRUE;
  wanted.found = text;
  return FALSE;
}

}  // namespace

VisualStyle::VisualStyle(COLORREF face, COLORREF text, COLORREF window)
    : face_(face),
      text_(text),
      window_(window),
      faceBrush_(CreateSolidBrush(face)),
      windowBrush_(CreateSolidBrush(window)) {}

VisualStyle VisualStyle::SystemDefault() {
  return VisualStyle(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT),
                     GetSysColor(COLOR_WINDOW));
}

std::optional<VisualStyle> VisualStyle::Load(HMODULE module, std::string_view name) {
  StyleSearch search{module, name, std::nullopt};
  EnumResourceNamesW(module, kStyleResourceType, CheckStyleResource,
                     reinterpret_cast<LONG_PTR>(&search));
  if (!search.found) return std::nullopt;
  const auto entries = ReadEntries(*search.found);
  std::optional<COLORREF> colours[3];
  const char* const keys[] = {"face", "text", "window"};
  for (int i = 0; i < 3; ++i) {
    const auto entry = entries.find(keys[i]);
    if (entry == entries.end() || !(colours[i] = ReadColour(entry->second))) return std::nullopt;
  }
  return VisualStyle(*colours[0], *colours[1], *colours[2]);
}

}  // namespace talvorne
