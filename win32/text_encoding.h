// UTF-8 inside the program, UTF-16 at the Win32 edges.
#pragma once

#include <string>
#include <string_view>

namespace talvorne {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// Single-byte text in the system's ANSI code page, as DDE and WinExec take it. A character the
// code page cannot hold becomes a substitute; `inexact`, when given, tells whether that happened.
std::string NarrowToAnsi(std::wstring_view utf16, bool* inexact = nullptr);
std::wstring WidenAnsi(std::string_view ansi);

}  // namespace talvorne
