// Text boxes that take their texts only while they are shown. Wine's text boxes lay out every line
// they are given, some 0.1 ms a line, and a window that hands a box tens of thousands of lines in
// one call answers nothing meanwhile; yet the boxes of a hidden panel are rarely looked at.
//
// Until a box has been written, its text is its own all the same: WM_GETTEXT and WM_GETTEXTLENGTH
// and, for a rich edit, EM_GETTEXTEX and EM_GETTEXTLENGTHEX answer with it, whoever asks, so that
// what is sent, copied, saved or read by another program is the whole text from the start. A
// message that needs the text laid out (a line count, a selection, typing) has it written first.
// WM_SETTEXT from elsewhere replaces it, as it would the box's own.
//
// A shown box is written in slices, between which the window handles its messages; meanwhile it is
// read-only, so that nothing typed lands inside a text still arriving. When it is complete its
// caret and view are at its start, as after WM_SETTEXT.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "win32/controls.h"
#include "win32/one_at_a_time.h"

namespace talvorne {

class DeferredTexts {
 public:
  // The boxes are written in this order, the memos first; bar shows how far a write has come.
  DeferredTexts(ProgressBar bar, const std::vector<Memo>& memos,
                const std::vector<RichEdit>& richEdits);
  ~DeferredTexts();
  DeferredTexts(const DeferredTexts&) = delete;
  DeferredTexts& operator=(const DeferredTexts&) = delete;

  // The box's new text; it reaches the box itself at the next WriteShown while the box is shown.
  void SetText(const Control& box, std::string_view text);

  // Writes the texts not yet in the boxes that are shown. Returns once they are written, once
  // their boxes are hidden, or when the program is asked to quit. Called again while it runs
  // (from a message it handles), it does nothing: the running write takes up any new text.
  void WriteShown();

  struct Box;

 private:
  Box* NextShownBox() const;

  ProgressBar bar_;
  std::vector<std::unique_ptr<Box>> boxes_;
  OneAtATime writing_;
};

}  // namespace talvorne
