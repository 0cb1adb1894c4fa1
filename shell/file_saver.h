// "Enregistrer …": the Save dialog, then the file written whole where the user chose.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "shell/save_dialog.h"

namespace talvorne {

class FileSaver {
 public:
  // types: the dialog's list; stem: the name proposed, before the time of day; cannotSave: the
  // message that tells a failure, its %s the reason.
  FileSaver(std::vector<SaveFileType> types, std::string stem, const char* cannotSave)
      : types_(std::move(types)), stem_(std::move(stem)), cannotSave_(cannotSave) {}

  // Asks where, in a dialog owned by the window, and writes there what `contents` makes for the
  // type chosen (its position in the list). A failure leaves any earlier file of that name as it
  // was and is told in a plain message box: that the file may be open in another program when it
  // could not be replaced for that, the system's reason else, or the std::runtime_error that
  // making the contents threw.
  void Save(HWND owner, const std::function<std::string(std::size_t type)>& contents);

 private:
  std::wstring ProposedName() const;
  void TellWhyNotSaved(std::string_view why) const;

  std::vector<SaveFileType> types_;
  std::string stem_;
  const char* cannotSave_;
  // The folder of the last file chosen, for this run only; the user's Documents before.
  std::wstring lastFolder_;
};

}  // namespace talvorne
