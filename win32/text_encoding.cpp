#include "win32/text_encoding.h"

#include <windows.h>

namespace talvorne {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, result.data(), length);
  return result;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int size = static_cast<int>(utf16.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, result.data(), length, nullptr, nullptr);
  return result;
}

std::string NarrowToAnsi(std::wstring_view utf16, bool* inexact) {
  if (inexact != nullptr) *inexact = false;
  if (utf16.empty()) return {};
  // No best-fit look-alikes ("ł" written "l" could name another file). A UTF-8 code page holds
  // everything and takes neither the flag nor the question.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL substituted = FALSE;
  BOOL* const asked = utf8 ? nullptr : &substituted;
  const int size = static_cast<int>(utf16.size());
  const int length =
      WideCharToMultiByte(CP_ACP, flags, utf16.data(), size, nullptr, 0, nullptr, asked);
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, flags, utf16.data(), size, result.data(), length, nullptr, asked);
  if (inexact != nullptr) *inexact = substituted != FALSE;
  return result;
}

std::wstring WidenAnsi(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = static_cast<int>(ansi.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, result.data(), length);
  return result;
}

}  // namespace talvorne
