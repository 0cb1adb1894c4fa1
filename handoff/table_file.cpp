#include "handoff/table_file.h"

#include <cstdio>

#include "handoff/lines.h"

namespace talvorne {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string CsvCell(std::string_view cell, char separator) {
  const char special[] = {separator, '"', '\r', '\n', '\0'};
  if (cell.find_first_of(special) == std::string_view::npos) return std::string(cell);
  std::string quoted = "\"";
  for (const char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string CsvLine(std::string_view line, char separator) {
  std::string csv;
  for (;;) {
    const std::size_t tab = line.find('\t');
    csv += CsvCell(line.substr(0, tab), separator);
    if (tab == std::string_view::npos) return csv;
    csv += separator;
    line.remove_prefix(tab + 1);
  }
}

}  // namespace

std::string TableFileBytes(const std::vector<std::string>& lines, TableFileType type,
                           std::string_view decimalSeparator) {
  if (type == TableFileType::kText) return std::string(kByteOrderMark) + ClipboardText(lines);
  const char separator = decimalSeparator == "," ? ';' : ',';
  std::vector<std::string> csvLines;
  csvLines.reserve(lines.size());
  for (const std::string& line : lines) csvLines.push_back(CsvLine(line, separator));
  return std::string(kByteOrderMark) + ClipboardText(csvLines);
}

std::string ProposedTableFileName(const LocalTime& time) {
  char name[96];
  std::snprintf(name, sizeof name, "Talvorne %04d-%02d-%02d %02d-%02d-%02d.txt", time.year,
                time.month, time.day, time.hour, time.minute, time.second);
  return name;
}

}  // namespace talvorne
