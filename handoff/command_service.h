// What the program's own DDE service makes of the commands other programs send it: one line whose
// word is "FOCUS" or "GETDATA" is carried out; anything else is reported on screen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvorne {

// The service's name: the executable's file name, without its folder, cut before its first ".".
std::wstring ServiceNameOf(std::wstring_view executablePath);

// The text before the line's first "(", or the whole line.
std::string MotCommande(std::string_view line);

// The two command words: bring the main window forward; fetch a new curve and send it.
enum class CommandWord { Focus, GetData };

class CommandView {
 public:
  virtual ~CommandView() = default;
  // The error message box, with its one "OK" button, shown once the execute has been answered:
  // its client never waits on the box, which may be hidden behind it.
  virtual void ShowError(std::string_view text) = 0;
  // Has the command carried out once its execute has been answered: the client never waits for
  // the work, and may itself be one of the programs the work talks to.
  virtual void CarryOut(CommandWord word) = 0;
};

// Msg is the command text's lines.
void ExecuteMacro(const std::vector<std::string>& Msg, CommandView& view);

}  // namespace talvorne
