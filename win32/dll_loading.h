// Where the program's DLLs come from. A DLL in the program's folder runs with the program, and that
// folder may be a USB stick or Downloads where anyone can drop one: only libusb0.dll is looked for
// there, on purpose, since the driver's setup may put it beside the program, and only when
// System32, where the driver installs it, has none.
#pragma once

#include <windows.h>

#include <string>

namespace talvorne {

enum class DllFolders { kSystem32, kSystem32ThenProgram };

// From now on, DLLs loaded by name, by the program or by the system on its behalf, come from
// System32 only. Windows 7 without its update KB2533623 cannot be told so: LoadDll still keeps
// the program's own loads in their folders there.
void LimitDllSearchToSystem32();

// Loads the DLL of that name from those folders only, in that order, never from the current
// folder or PATH; a full path is loaded as it is. Null when it is not there.
HMODULE LoadDll(const std::wstring& name, DllFolders folders);

// What LoadDll does on a Windows 7 that refuses its search flags: each folder tried in turn, by
// full path.
HMODULE LoadDllByFullPath(const std::wstring& name, DllFolders folders);

// The function of that name exported by the module, as the type given; null when it has none, as
// older Windows lack newer functions.
template <typename Function>
Function ExportedFunction(HMODULE module, const char* name) {
  // Through void (*)(), the one function pointer type every other converts from without warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace talvorne
