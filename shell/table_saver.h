// "Enregistrer le tableau…": the Save dialog, then the table written whole into the file chosen,
// as text or CSV.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shell/file_saver.h"
#include "shell/format_settings.h"

namespace talvorne {

class TableSaver {
 public:
  // The list and decimal separators choose the CSV separator.
  explicit TableSaver(const FormatSettings& settings);

  // Asks where, in a dialog owned by the window, and writes the lines there; see FileSaver.
  void Save(HWND owner, const std::vector<std::string>& lines);

 private:
  const FormatSettings& settings_;
  FileSaver files_;
};

}  // namespace talvorne
