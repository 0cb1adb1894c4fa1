// The data table as a file that a spreadsheet or a Python notebook opens: tab-separated text or
// CSV, in UTF-8 with a byte-order mark so that an accented word of an edited table reads right.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvorne {

// In the order of the Save dialog's list.
enum class TableFileType { kText, kCsv };

// A type's extension, without its dot: "txt", "csv".
std::wstring_view TableFileExtension(TableFileType type);

// The file's bytes: the byte-order mark, then each line followed by CR LF. Text holds the lines as
// they go on the clipboard; CSV cuts each line into its cells at the tabs and separates them by
// the separator given; a cell that holds the separator, a double quote or a line break goes
// between double quotes, its own doubled (RFC 4180).
std::string TableFileBytes(const std::vector<std::string>& lines, TableFileType type,
                           std::string_view csvSeparator);

// The CSV separator, UTF-8. A spreadsheet splits a CSV file at the user's list separator: that
// one, when it is a single character other than the decimal separator that no number (digits,
// signs, letters such as the "E" of its notation) and no quoting (blanks, control characters, the
// double quote) uses. Otherwise ";" beside a decimal ",", as a French spreadsheet expects, and ","
// beside any other.
std::string CsvSeparator(std::string_view listSeparator, std::string_view decimalSeparator);

}  // namespace talvorne
