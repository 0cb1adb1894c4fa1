// The DDE service's reading of a command text under libFuzzer: any bytes, read up to their first
// NUL as the service reads a transaction's data, split into lines and examined. Besides crashes
// and hangs it checks what the text's shape decides: a line holds no break, each line comes back
// in order, and a text is answered by exactly one box or one command carried out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "decoding/lines.h"
#include "handoff/command_service.h"

namespace {

struct CountingView final : talvorne::CommandView {
  int shown = 0;
  int carried = 0;
  void ShowError(std::string_view) override { ++shown; }
  void CarryOut(talvorne::CommandWord) override { ++carried; }
};

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  text = text.substr(0, text.find('\0'));
  const auto lines = talvorne::SplitLines(text);

  std::size_t at = 0;
  for (const std::string& line : lines) {
    Check(line.find_first_of("\r\n") == std::string::npos);
    Check(text.substr(at, line.size()) == line);
    at += line.size();
    at += text.substr(at, 2) == "\r\n" ? 2 : 1;
    const std::string word = talvorne::MotCommande(line);
    Check(line.compare(0, word.size(), word) == 0 && word.find('(') == std::string::npos);
  }
  Check(at >= text.size());

  CountingView view;
  talvorne::ExecuteMacro(lines, view);
  Check(view.shown + view.carried == 1);
  if (lines.size() != 1) Check(view.shown == 1);
  return 0;
}
