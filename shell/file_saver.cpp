#include "shell/file_saver.h"

#include <shlobj.h>

#include <stdexcept>

#include "shell/save_file_types.h"
#include "shell/shell_texts.h"
#include "win32/message_boxes.h"
#include "decoding/placeholders.h"
#include "win32/program_path.h"
#include "win32/shell_folder.h"
#include "win32/system_error_text.h"
#include "win32/text_encoding.h"
#include "win32/whole_file.h"

namespace talvorne {

std::wstring FileSaver::ProposedName() const {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return Widen(ProposedFileName(
      stem_, {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond},
      Narrow(types_.front().extension)));
}

void FileSaver::TellWhyNotSaved(std::string_view why) const {
  ShowPlainMessage(FillPlaceholders(cannotSave_, {why}));
}

void FileSaver::Save(HWND owner, const std::function<std::string(std::size_t type)>& contents) {
  if (lastFolder_.empty()) lastFolder_ = SpecialFolderPath(CSIDL_PERSONAL);
  std::optional<SaveChoice> choice;
  try {
    choice = AskWhereToSave(owner, lastFolder_, ProposedName(), types_);
  } catch (const std::runtime_error& error) {
    return TellWhyNotSaved(error.what());
  }
  if (!choice) return;
  lastFolder_ = FolderOf(choice->path);
  std::string bytes;
  try {
    bytes = contents(choice->type);
  } catch (const std::runtime_error& error) {
    return TellWhyNotSaved(error.what());
  }
  const WholeFileOutcome outcome = WriteWholeFile(choice->path, bytes);
  if (outcome.heldElsewhere) {
    TellWhyNotSaved(texts::kFileHeldElsewhere);
  } else if (outcome.error != ERROR_SUCCESS) {
    TellWhyNotSaved(SystemErrorText(outcome.error));
  }
}

}  // namespace talvorne
