// Thin wrappers over the standard controls: each holds its child window and speaks UTF-8.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace talvorne {

class Control {
 public:
  Control() = default;
  explicit Control(HWND window) : window_(window) {}

  HWND Handle() const { return window_; }
  std::string Text() const;
  void SetText(std::string_view text) const;
  bool Visible() const;
  void SetVisible(bool visible) const;
  bool Enabled() const;
  void SetEnabled(bool enabled) const;

 private:
  HWND window_ = nullptr;
};

class Button : public Control {
 public:
  using Control::Control;
};

class GroupBox : public Control {
 public:
  using Control::Control;
};

// A label sized to its text: it grows or shrinks each time its text changes.
class Label : public Control {
 public:
  using Control::Control;
  void SetText(std::string_view text) const;
  // Re-measures the text, as after a change of font.
  void FitToText() const;
};

// A multi-line plain text box.
class Memo : public Control {
 public:
  using Control::Control;
  // Adds a line at the end of the text, followed by a line break.
  void AppendLine(std::string_view line) const;
};

// A rich-text box; its text is written with the window's font and the ANSI character set.
class RichEdit : public Control {
 public:
  using Control::Control;
  // The text as written, each paragraph ending with a lone CR.
  std::string Text() const;
  void ApplyFont(HFONT font, UINT dpi) const;
};

class ProgressBar : public Control {
 public:
  using Control::Control;
  void SetRange(int minimum, int maximum) const;
  void SetPosition(int position) const;
  int Position() const;
  // The position that far into the range: done of total.
  void ShowShare(std::size_t done, std::size_t total) const;
};

}  // namespace talvorne
