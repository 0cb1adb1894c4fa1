#include "win32/system_error_text.h"

#include "win32/text_encoding.h"

namespace talvorne {

std::string SystemErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring description(text != nullptr ? text : L"", length);
  LocalFree(text);
  description.erase(description.find_last_not_of(L" \r\n") + 1);
  return description.empty() ? "erreur " + std::to_string(code) : Narrow(description);
}

}  // namespace talvorne
