// A window's layout as kept among the resources: its caption and size, then one line per control
// with its kind, name, 96-DPI geometry, text and initial state. Controls are created in the order
// of their lines, which is also the keyboard focus order.
//
//   window "Talvorne" client 187 222
//   button Button3 64 32 75 25 "Connexion"
//   label Label1 8 20 0 13 "Label1" in GroupBox1
//
// Flags after the text: hidden, disabled, vscroll (a scroll bar always shown), and "in <name>" to
// place the control inside an earlier one, relative to it.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace talvorne {

enum class ControlKind {
  kButton,
  kGroupBox,
  kLabel,       // sized to its text
  kFixedLabel,  // fixed size, text centred and wrapped
  kLinkLabel,   // sized to its text, clickable
  kMemo,        // multi-line plain text, long lines wrapped
  kRichEdit,
  kProgressBar,
  kIcon,  // the icon resource that its text names ("#1")
};

struct ControlDescription {
  ControlKind kind = ControlKind::kLabel;
  std::string name;
  int left = 0, top = 0, width = 0, height = 0;
  std::string text;
  bool hidden = false;
  bool disabled = false;
  bool verticalScrollBar = false;
  std::optional<std::size_t> parent;  // index of the enclosing control
  int id = 0;                         // child window identifier, unique within the window
};

struct WindowDescription {
  std::string caption;
  bool sizeIsClientArea = true;  // "client" or "outer"
  int width = 0, height = 0;
  std::vector<ControlDescription> controls;

  const ControlDescription& Control(std::string_view name) const;
};

class LayoutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Control identifiers start here and follow the lines' order.
inline constexpr int kFirstControlId = 101;

WindowDescription ParseLayout(std::string_view text);

}  // namespace talvorne
