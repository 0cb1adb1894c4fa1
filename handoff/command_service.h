// What the program's own DDE service makes of the commands other programs send it: one line whose
// word is "FOCUS" or "GETDATA", taken without any effect; anything else is reported on screen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvorne {

// The service's name: the executable's file name, without its folder, cut before its first ".".
std::wstring ServiceNameOf(std::wstring_view executablePath);

// The text before the line's first "(", or the whole line.
std::string MotCommande(std::string_view line);

// Where the service reports: the error message box, with its one "OK" button. Returns once the
// user has closed it.
class CommandView {
 public:
  virtual ~CommandView() = default;
  virtual void ShowError(std::string_view text) = 0;
};

// Msg is the command text's lines.
void ExecuteMacro(const std::vector<std::string>& Msg, CommandView& view);

}  // namespace talvorne
