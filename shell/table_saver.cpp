#include "shell/table_saver.h"

#include "decoding/table_file.h"
#include "shell/shell_texts.h"

namespace talvorne {
namespace {

// In the order of the dialog's list.
constexpr TableFileType kTypes[] = {TableFileType::kText, TableFileType::kCsv};

std::vector<SaveFileType> TableFileTypes() {
  return {{texts::kTextFileType, std::wstring(TableFileExtension(kTypes[0]))},
          {texts::kCsvFileType, std::wstring(TableFileExtension(kTypes[1]))}};
}

}  // namespace

TableSaver::TableSaver(const FormatSettings& settings)
    : settings_(settings), files_(TableFileTypes(), "Talvorne", texts::kCannotSaveTable) {}

void TableSaver::Save(HWND owner, const std::vector<std::string>& lines) {
  const std::string csvSeparator =
      CsvSeparator(settings_.listSeparator, settings_.decimalSeparator);
  files_.Save(owner,
              [&](std::size_t type) { return TableFileBytes(lines, kTypes[type], csvSeparator); });
}

}  // namespace talvorne
