// What a control holds after the benchmark has filled it, against what it was given.
#pragma once

#include <windows.h>

#include <string_view>

namespace talvorne::bench {

// A text's length in UTF-16 units and its number of lines.
struct TextShape {
  unsigned long long length = 0;
  unsigned long long lines = 0;
};

// A Memo's lines end with CR LF, so the last line break opens one more, empty, line.
TextShape MemoShape(std::string_view utf8);
// A rich edit's paragraphs start with a CR, so the text before the first one is a line too.
TextShape RichEditShape(std::string_view utf8);

// Prints the control's length and line count next to the given text's, and whether the control
// holds all of it. Word wrap may show a long line on several: it must show at least as many.
bool CheckMemo(const char* name, HWND memo, TextShape given);
bool CheckRichEdit(const char* name, HWND richEdit, TextShape given);

}  // namespace talvorne::bench
