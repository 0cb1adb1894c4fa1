#include "win32/control_layout.h"

#include <commctrl.h>
#include <richedit.h>

#include <utility>

#include "resources/resource_ids.h"
#include "win32/controls.h"
#include "win32/dpi.h"
#include "win32/resource_text.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

struct WindowClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD extendedStyle;
};

WindowClassAndStyle ClassAndStyleFor(const ControlDescription& control) {
  const DWORD scrollBar = control.verticalScrollBar ? WS_VSCROLL : 0;
  const DWORD textBox = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP | scrollBar;
  switch (control.kind) {
    case ControlKind::kButton:
      return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::kGroupBox:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case ControlKind::kLabel:
      return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::kFixedLabel:
      return {WC_STATICW, SS_CENTER | SS_NOPREFIX, 0};
    case ControlKind::kLinkLabel:
      return {WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
    case ControlKind::kMemo:
      return {WC_EDITW, textBox, WS_EX_CLIENTEDGE};
    case ControlKind::kRichEdit:
      // Without ES_DISABLENOSCROLL a rich edit drops its scroll bar while its text fits.
      return {RICHEDIT_CLASSW, textBox | (control.verticalScrollBar ? ES_DISABLENOSCROLL : 0),
              WS_EX_CLIENTEDGE};
    case ControlKind::kProgressBar:
      return {PROGRESS_CLASSW, 0, 0};
    case ControlKind::kIcon:
      // Drawn at its own size rather than stretched to the control's.
      return {WC_STATICW, SS_ICON | SS_CENTERIMAGE, 0};
  }
  return {WC_STATICW, 0, 0};
}

// Tab moves the focus out of a text box instead of typing a tab character into it. Esc does
// nothing: a multi-line box driven by the dialog keys would close the main window on it, and the
// table with it.
LRESULT CALLBACK TextBoxKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  if ((message == WM_KEYDOWN || message == WM_CHAR) && wParam == VK_ESCAPE) return 0;
  LRESULT code = DefSubclassProc(window, message, wParam, lParam);
  const auto* key = reinterpret_cast<const MSG*>(lParam);
  if (message == WM_GETDLGCODE && key != nullptr && key->message == WM_KEYDOWN &&
      key->wParam == VK_TAB) {
    code &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
  }
  return code;
}

// Labels inside a group box ask the box for their colours; the window answers for them.
LRESULT CALLBACK ColoursFromWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR) {
  if (message == WM_CTLCOLORSTATIC) {
    return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

WindowDescription LoadLayout(HMODULE module, const wchar_t* name) {
  const auto text = ResourceText(module, name, kLayoutResourceType);
  if (!text) throw LayoutError("Description de fenêtre introuvable : " + Narrow(name));
  return ParseLayout(*text);
}

ControlLayout::ControlLayout(HWND window, WindowDescription description)
    : description_(std::move(description)) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  for (const ControlDescription& control : description_.controls) {
    const auto [className, style, extendedStyle] = ClassAndStyleFor(control);
    const HWND parent = control.parent ? controls_[*control.parent] : window;
    const DWORD state = (control.hidden ? 0 : WS_VISIBLE) | (control.disabled ? WS_DISABLED : 0);
    const HWND child = CreateWindowExW(
        extendedStyle, className, Widen(control.text).c_str(), WS_CHILD | style | state, 0, 0, 0, 0,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    if (child == nullptr) {
      throw LayoutError("Impossible de créer le contrôle " + control.name);
    }
    if (control.kind == ControlKind::kMemo || control.kind == ControlKind::kRichEdit) {
      SetWindowSubclass(child, TextBoxKeys, 0, 0);
      // The text boxes hold whole data tables, far beyond the default limits of 32 or 64 KB.
      SendMessageW(child, control.kind == ControlKind::kMemo ? EM_SETLIMITTEXT : EM_EXLIMITTEXT, 0,
                   INT_MAX);
    }
    if (control.kind == ControlKind::kGroupBox) SetWindowSubclass(child, ColoursFromWindow, 0, 0);
    controls_.push_back(child);
  }
  ApplyDpi(WindowDpi(window));
}

HWND ControlLayout::Control(std::string_view name) const {
  const ControlDescription& control = description_.Control(name);
  return controls_[static_cast<std::size_t>(control.id - kFirstControlId)];
}

void ControlLayout::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  // Deleted on leaving, once no control holds it any more.
  OwnedFont previousFont = std::exchange(font_, OwnedFont(CreateWindowFont(dpi)));
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const ControlDescription& control = description_.controls[i];
    const HWND child = controls_[i];
    SetWindowPos(child, nullptr, ScaleForDpi(control.left, dpi), ScaleForDpi(control.top, dpi),
                 ScaleForDpi(control.width, dpi), ScaleForDpi(control.height, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (control.kind == ControlKind::kRichEdit) {
      RichEdit(child).ApplyFont(font_.get(), dpi);
    } else {
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    }
    if (control.kind == ControlKind::kLabel || control.kind == ControlKind::kLinkLabel) {
      Label(child).FitToText();
    }
  }
}

}  // namespace talvorne
