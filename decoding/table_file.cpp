#include "decoding/table_file.h"

#include "decoding/lines.h"

namespace talvorne {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string CsvCell(std::string_view cell, std::string_view separator) {
  if (cell.find(separator) == std::string_view::npos &&
      cell.find_first_of("\"\r\n") == std::string_view::npos) {
    return std::string(cell);
  }
  std::string quoted = "\"";
  for (const char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string CsvLine(std::string_view line, std::string_view separator) {
  std::string csv;
  for (;;) {
    const std::size_t tab = line.find('\t');
    csv += CsvCell(line.substr(0, tab), separator);
    if (tab == std::string_view::npos) return csv;
    csv += separator;
    line.remove_prefix(tab + 1);
  }
}

bool IsOneCharacter(std::string_view utf8) {
  // Every byte of a UTF-8 character but its first is 10xxxxxx.
  std::size_t characters = 0;
  for (const char byte : utf8) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  return characters == 1;
}

bool UsedByNumbersOrQuoting(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x80) return false;  // beyond ASCII: no number and no quoting holds it
  return byte <= ' ' || byte == 0x7F || c == '"' || c == '+' || c == '-' ||
         (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::wstring_view TableFileExtension(TableFileType type) {
  return type == TableFileType::kCsv ? L"csv" : L"txt";
}

std::string TableFileBytes(const std::vector<std::string>& lines, TableFileType type,
                           std::string_view csvSeparator) {
  if (type == TableFileType::kText) return std::string(kByteOrderMark) + ClipboardText(lines);
  std::vector<std::string> csvLines;
  csvLines.reserve(lines.size());
  for (const std::string& line : lines) csvLines.push_back(CsvLine(line, csvSeparator));
  return std::string(kByteOrderMark) + ClipboardText(csvLines);
}

std::string CsvSeparator(std::string_view listSeparator, std::string_view decimalSeparator) {
  if (IsOneCharacter(listSeparator) && listSeparator != decimalSeparator &&
      !UsedByNumbersOrQuoting(listSeparator.front())) {
    return std::string(listSeparator);
  }
  return decimalSeparator == "," ? ";" : ",";
}

}  // namespace talvorne
