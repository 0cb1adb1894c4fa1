#include "shell/table_saver.h"

#include <shlobj.h>

#include <stdexcept>

#include "decoding/placeholders.h"
#include "decoding/table_file.h"
#include "shell/save_table_dialog.h"
#include "shell/shell_texts.h"
#include "win32/message_boxes.h"
#include "win32/program_path.h"
#include "win32/shell_folder.h"
#include "win32/system_error_text.h"
#include "win32/text_encoding.h"
#include "win32/whole_file.h"

namespace talvorne {
namespace {

std::wstring ProposedName() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return Widen(ProposedTableFileName(
      {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond}));
}

void TellWhyNotSaved(std::string_view why) {
  ShowPlainMessage(FillPlaceholders(texts::kCannotSaveTable, {why}));
}

}  // namespace

void TableSaver::Save(HWND owner, const std::vector<std::string>& lines) {
  if (lastFolder_.empty()) lastFolder_ = SpecialFolderPath(CSIDL_PERSONAL);
  std::optional<SaveChoice> choice;
  try {
    choice = AskWhereToSave(owner, lastFolder_, ProposedName());
  } catch (const std::runtime_error& error) {
    return TellWhyNotSaved(error.what());
  }
  if (!choice) return;
  lastFolder_ = FolderOf(choice->path);
  const std::string csvSeparator =
      CsvSeparator(settings_.listSeparator, settings_.decimalSeparator);
  const WholeFileOutcome outcome =
      WriteWholeFile(choice->path, TableFileBytes(lines, choice->type, csvSeparator));
  if (outcome.heldElsewhere) {
    TellWhyNotSaved(texts::kTableFileHeldElsewhere);
  } else if (outcome.error != ERROR_SUCCESS) {
    TellWhyNotSaved(SystemErrorText(outcome.error));
  }
}

}  // namespace talvorne
