#include "bench/control_check.h"

#include <richedit.h>

#include <cstdio>

namespace talvorne::bench {

namespace {

using Count = unsigned long long;

Count Occurrences(std::string_view text, std::string_view what) {
  Count count = 0;
  for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

Count Utf16Length(std::string_view utf8) {
  return static_cast<Count>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0));
}

bool Report(const char* name, TextShape held, TextShape given) {
  const bool complete = held.length == given.length && held.lines >= given.lines;
  std::printf("  %s holds %llu characters in %llu lines; given %llu characters, %llu lines: %s\n",
              name, held.length, held.lines, given.length, given.lines,
              complete ? "complete" : "INCOMPLETE");
  std::fflush(stdout);
  return complete;
}

Count LineCount(HWND control) {
  return static_cast<Count>(SendMessageW(control, EM_GETLINECOUNT, 0, 0));
}

}  // namespace

TextShape MemoShape(std::string_view utf8) {
  return {Utf16Length(utf8), Occurrences(utf8, "\r\n") + 1};
}

TextShape RichEditShape(std::string_view utf8) {
  return {Utf16Length(utf8), Occurrences(utf8, "\r") + 1};
}

bool CheckMemo(const char* name, HWND memo, TextShape given) {
  const auto length = static_cast<Count>(SendMessageW(memo, WM_GETTEXTLENGTH, 0, 0));
  return Report(name, {length, LineCount(memo)}, given);
}

bool CheckRichEdit(const char* name, HWND richEdit, TextShape given) {
  GETTEXTLENGTHEX request{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto length = static_cast<Count>(
      SendMessageW(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&request), 0));
  return Report(name, {length, LineCount(richEdit)}, given);
}

}  // namespace talvorne::bench
