#include "win32/controls.h"

#include <commctrl.h>
#include <richedit.h>

#include "win32/owned_handles.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

// The text's extent in the window's font; a blank's height for no text.
RECT TextBounds(HWND window, const std::wstring& text) {
  const WindowDc dc(window);
  const GdiSelection font(dc.get(),
                          reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  RECT bounds{};
  DrawTextW(dc.get(), text.empty() ? L" " : text.c_str(), -1, &bounds,
            DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
  return bounds;
}

}  // namespace

std::string Control::Text() const {
  const int length = GetWindowTextLengthW(window_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window_, text.data(), length + 1)));
  return Narrow(text);
}

void Control::SetText(std::string_view text) const {
  SetWindowTextW(window_, Widen(text).c_str());
}

bool Control::Visible() const {
  return (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetVisible(bool visible) const {
  ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

bool Control::Enabled() const {
  return IsWindowEnabled(window_) != FALSE;
}

void Control::SetEnabled(bool enabled) const {
  EnableWindow(window_, enabled);
}

void Label::SetText(std::string_view text) const {
  Control::SetText(text);
  FitToText();
}

void Label::FitToText() const {
  const HWND window = Handle();
  const std::wstring text = Widen(Text());
  const RECT bounds = TextBounds(window, text);
  const int width = text.empty() ? 0 : bounds.right - bounds.left;
  SetWindowPos(window, nullptr, 0, 0, width, bounds.bottom - bounds.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Memo::AppendLine(std::string_view line) const {
  const int end = GetWindowTextLengthW(Handle());
  SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
  const std::wstring text = Widen(line) + L"\r\n";
  SendMessageW(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string RichEdit::Text() const {
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto size = static_cast<std::size_t>(
      SendMessageW(Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
  std::wstring text(size + 1, L'\0');
  GETTEXTEX request{static_cast<DWORD>((size + 1) * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr,
                    nullptr};
  const auto copied = static_cast<std::size_t>(SendMessageW(Handle(), EM_GETTEXTEX,
                                                            reinterpret_cast<WPARAM>(&request),
                                                            reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied);
  return Narrow(text);
}

void RichEdit::ApplyFont(HFONT font, UINT dpi) const {
  LOGFONTW face{};
  GetObjectW(font, sizeof face, &face);
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET;
  lstrcpynW(format.szFaceName, face.lfFaceName, LF_FACESIZE);
  // Twips: 1/1440 inch.
  format.yHeight = MulDiv(-face.lfHeight, 1440, static_cast<int>(dpi));
  format.bCharSet = ANSI_CHARSET;
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The default format serves text written later; SCF_ALL the text already there.
  SendMessageW(Handle(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageW(Handle(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

void ProgressBar::SetRange(int minimum, int maximum) const {
  SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
}

void ProgressBar::SetPosition(int position) const {
  SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void ProgressBar::ShowShare(std::size_t done, std::size_t total) const {
  PBRANGE range{};
  SendMessageW(Handle(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  const double share = total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
  SetPosition(range.iLow + static_cast<int>(share * (range.iHigh - range.iLow)));
}

int ProgressBar::Position() const {
  return static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0));
}

}  // namespace talvorne
