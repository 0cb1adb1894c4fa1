#include <gtest/gtest.h>

#include "decoding/table_file.h"

namespace talvorne {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

TEST(TableFile, TextHoldsTheClipboardsLinesAfterAByteOrderMark) {
  const std::vector<std::string> lines = {"t\tU1\tU2", "s\tmV\tmV", "2E-6\t62\t-6553600", ""};
  EXPECT_EQ(TableFileBytes(lines, TableFileType::kText, ";"),
            std::string(kBom) + "t\tU1\tU2\r\ns\tmV\tmV\r\n2E-6\t62\t-6553600\r\n\r\n");
  EXPECT_EQ(TableFileBytes({}, TableFileType::kText, ","), kBom);
}

TEST(TableFile, CsvSeparatesTheCellsByTheSeparatorGivenAndQuotesTheRest) {
  // An edited table: a typed line with the separators, quotes, an accent and empty cells.
  const std::vector<std::string> lines = {"t\tU2",     "1,6E-7\t-2,4",
                                          "0.5\t3.25", "a;b\tdit \"é\"\t\tfin\t",
                                          "",          "deux\nlignes\tretour\rchariot"};
  EXPECT_EQ(TableFileBytes(lines, TableFileType::kCsv, ";"),
            std::string(kBom) +
                "t;U2\r\n1,6E-7;-2,4\r\n0.5;3.25\r\n\"a;b\";\"dit \"\"é\"\"\";;fin;\r\n\r\n"
                "\"deux\nlignes\";\"retour\rchariot\"\r\n");
  EXPECT_EQ(TableFileBytes(lines, TableFileType::kCsv, ","),
            std::string(kBom) +
                "t,U2\r\n\"1,6E-7\",\"-2,4\"\r\n0.5,3.25\r\na;b,\"dit \"\"é\"\"\",,fin,\r\n\r\n"
                "\"deux\nlignes\",\"retour\rchariot\"\r\n");
  // The Arabic list separator, two bytes in UTF-8: a cell is quoted for the whole of it only, not
  // for another character that begins with the same byte.
  const std::string semicolon = "\u061B", other = "\u0600";
  EXPECT_EQ(
      TableFileBytes({"a" + semicolon + "b\t" + other + "\tt"}, TableFileType::kCsv, semicolon),
      kBom + ("\"a" + semicolon + "b\"") + semicolon + other + semicolon + "t\r\n");
}

TEST(TableFile, TheCsvSeparatorIsTheListSeparatorUnlessItWouldBreakTheFile) {
  struct Case {
    const char* list;
    const char* decimal;
    const char* separator;
  };
  for (const Case& c :
       {// The user's list separator, when one character the numbers and quotes leave free.
        Case{";", ".", ";"}, Case{",", ".", ","}, Case{"|", ",", "|"}, Case{".", ",", "."},
        Case{"\u061B", ",", "\u061B"},
        // Otherwise what the decimal separator leaves free.
        Case{",", ",", ";"}, Case{".", ".", ","}, Case{"", ",", ";"}, Case{"", ".", ","},
        Case{";;", ".", ","}, Case{" ", ",", ";"}, Case{"\t", ".", ","}, Case{"\"", ",", ";"},
        Case{"7", ".", ","}, Case{"E", ",", ";"}, Case{"e", ".", ","}, Case{"-", ",", ";"},
        Case{"+", ".", ","}}) {
    EXPECT_EQ(CsvSeparator(c.list, c.decimal), c.separator) << c.list << " " << c.decimal;
  }
}

}  // namespace
}  // namespace talvorne
