#include "handoff/command_service.h"

#include <algorithm>

#include "handoff/handoff_texts.h"

namespace talvorne {
namespace {

// Only a to z match their capitals; nothing is trimmed.
bool SameWordIgnoringCase(std::string_view word, std::string_view known) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::equal(word.begin(), word.end(), known.begin(), known.end(),
                    [&](char a, char b) { return lower(a) == lower(b); });
}

}  // namespace

std::wstring ServiceNameOf(std::wstring_view executablePath) {
  const std::size_t folderEnd = executablePath.find_last_of(L"\\/");
  std::wstring_view name =
      folderEnd == std::wstring_view::npos ? executablePath : executablePath.substr(folderEnd + 1);
  return std::wstring(name.substr(0, name.find(L'.')));
}

std::string MotCommande(std::string_view line) {
  return std::string(line.substr(0, line.find('(')));
}

void ExecuteMacro(const std::vector<std::string>& Msg, CommandView& view) {
  if (Msg.size() != 1) {
    view.ShowError(handoff_texts::kOneMessageAtATime);
    return;
  }
  const std::string& line = Msg.front();
  try {
    const std::string word = MotCommande(line);
    if (SameWordIgnoringCase(word, "FOCUS") || SameWordIgnoringCase(word, "GETDATA")) return;
    view.ShowError(std::string(handoff_texts::kUnknownFunction) + line);
  } catch (...) {
    view.ShowError(handoff_texts::kMacroSyntaxError);
  }
}

}  // namespace talvorne
