// "Enregistrer le tableau…": the Save dialog, then the table written whole into the file chosen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shell/format_settings.h"

namespace talvorne {

class TableSaver {
 public:
  // The list and decimal separators choose the CSV separator.
  explicit TableSaver(const FormatSettings& settings) : settings_(settings) {}

  // Asks where, in a dialog owned by the window, and writes the lines there. A failure leaves any
  // earlier file of that name as it was and is told in a plain message box: that the file may be
  // open in another program when it could not be replaced for that, the system's reason else.
  void Save(HWND owner, const std::vector<std::string>& lines);

 private:
  const FormatSettings& settings_;
  // The folder of the last file chosen, for this run only; the user's Documents before.
  std::wstring lastFolder_;
};

}  // namespace talvorne
