#include "handoff/command_service.h"

#include <algorithm>
#include <optional>

#include "handoff/handoff_texts.h"

namespace talvorne {
namespace {

// Only a to z match their capitals; nothing is trimmed.
bool SameWordIgnoringCase(std::string_view word, std::string_view known) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::equal(word.begin(), word.end(), known.begin(), known.end(),
                    [&](char a, char b) { return lower(a) == lower(b); });
}

std::optional<CommandWord> KnownWord(std::string_view word) {
  if (SameWordIgnoringCase(word, "FOCUS")) return CommandWord::Focus;
  if (SameWordIgnoringCase(word, "GETDATA")) return CommandWord::GetData;
  return std::nullopt;
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
  std::optional<CommandWord> known;
  try {
    known = KnownWord(MotCommande(line));
    if (!known) view.ShowError(std::string(handoff_texts::kUnknownFunction) + line);
  } catch (...) {
    view.ShowError(handoff_texts::kMacroSyntaxError);
  }
  // Outside the guard: what the work runs into is not the line's syntax.
  if (known) view.CarryOut(*known);
}

}  // namespace talvorne
