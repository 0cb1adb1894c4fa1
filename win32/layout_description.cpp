#include "win32/layout_description.h"

#include <charconv>
#include <utility>

namespace talvorne {
namespace {

class LineReader {
 public:
  LineReader(std::string_view line, int number) : rest_(line), number_(number) {}

  bool AtEnd() {
    SkipBlanks();
    return rest_.empty();
  }

  std::string_view Word() {
    SkipBlanks();
    std::size_t end = 0;
    while (end < rest_.size() && rest_[end] != ' ' && rest_[end] != '\t') ++end;
    if (end == 0) Fail("un mot est attendu");
    const std::string_view word = rest_.substr(0, end);
    rest_.remove_prefix(end);
    return word;
  }

  int Number() {
    const std::string_view word = Word();
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size() || value < 0) {
      Fail("nombre attendu au lieu de " + std::string(word));
    }
    return value;
  }

  bool NextIsQuoted() {
    SkipBlanks();
    return !rest_.empty() && rest_.front() == '"';
  }

  std::string Quoted() {
    if (!NextIsQuoted()) Fail("texte entre guillemets attendu");
    const std::size_t close = rest_.find('"', 1);
    if (close == std::string_view::npos) Fail("guillemet fermant manquant");
    std::string text(rest_.substr(1, close - 1));
    rest_.remove_prefix(close + 1);
    return text;
  }

  [[noreturn]] void Fail(const std::string& why) const {
    throw LayoutError("Description de fenêtre invalide, ligne " + std::to_string(number_) + " : " +
                      why);
  }

 private:
  void SkipBlanks() {
    while (!rest_.empty() && (rest_.front() == ' ' || rest_.front() == '\t'))
      rest_.remove_prefix(1);
  }

  std::string_view rest_;
  int number_;
};

ControlKind KindNamed(std::string_view word, const LineReader& line) {
  static constexpr std::pair<std::string_view, ControlKind> kKinds[] = {
      {"button", ControlKind::kButton},       {"groupbox", ControlKind::kGroupBox},
      {"label", ControlKind::kLabel},         {"fixedlabel", ControlKind::kFixedLabel},
      {"linklabel", ControlKind::kLinkLabel}, {"memo", ControlKind::kMemo},
      {"richedit", ControlKind::kRichEdit},   {"progressbar", ControlKind::kProgressBar},
      {"icon", ControlKind::kIcon},
  };
  for (const auto& [name, kind] : kKinds) {
    if (name == word) return kind;
  }
  line.Fail("sorte de contrôle inconnue : " + std::string(word));
}

void ReadWindowLine(LineReader& line, WindowDescription& window) {
  window.caption = line.Quoted();
  const std::string_view size = line.Word();
  if (size != "client" && size != "outer") line.Fail("client ou outer attendu");
  window.sizeIsClientArea = size == "client";
  window.width = line.Number();
  window.height = line.Number();
}

std::optional<std::size_t> IndexOf(const WindowDescription& window, std::string_view name) {
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    if (window.controls[i].name == name) return i;
  }
  return std::nullopt;
}

void ReadControlLine(LineReader& line, ControlKind kind, WindowDescription& window) {
  ControlDescription control;
  control.kind = kind;
  control.name = std::string(line.Word());
  if (IndexOf(window, control.name)) line.Fail("nom en double : " + control.name);
  control.left = line.Number();
  control.top = line.Number();
  control.width = line.Number();
  control.height = line.Number();
  if (line.NextIsQuoted()) control.text = line.Quoted();
  while (!line.AtEnd()) {
    const std::string_view flag = line.Word();
    if (flag == "hidden") {
      control.hidden = true;
    } else if (flag == "disabled") {
      control.disabled = true;
    } else if (flag == "vscroll") {
      control.verticalScrollBar = true;
    } else if (flag == "in") {
      const std::string_view parent = line.Word();
      control.parent = IndexOf(window, parent);
      if (!control.parent) line.Fail("contrôle parent inconnu : " + std::string(parent));
    } else {
      line.Fail("indication inconnue : " + std::string(flag));
    }
  }
  control.id = kFirstControlId + static_cast<int>(window.controls.size());
  window.controls.push_back(std::move(control));
}

}  // namespace

const ControlDescription& WindowDescription::Control(std::string_view name) const {
  for (const ControlDescription& control : controls) {
    if (control.name == name) return control;
  }
  throw LayoutError("Contrôle absent de la description : " + std::string(name));
}

WindowDescription ParseLayout(std::string_view text) {
  WindowDescription window;
  bool sawWindow = false;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view content = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);

    LineReader line(content, number);
    if (line.AtEnd() || content.find_first_not_of(" \t") == content.find('#')) continue;
    const std::string_view keyword = line.Word();
    if (keyword == "window") {
      if (sawWindow) line.Fail("une seule ligne window");
      ReadWindowLine(line, window);
      sawWindow = true;
    } else {
      if (!sawWindow) line.Fail("la ligne window vient en premier");
      ReadControlLine(line, KindNamed(keyword, line), window);
    }
    if (!line.AtEnd()) line.Fail("texte en trop");
  }
  if (!sawWindow) throw LayoutError("Description de fenêtre vide");
  return window;
}

}  // namespace talvorne
