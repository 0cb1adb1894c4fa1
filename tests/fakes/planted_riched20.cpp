// A riched20.dll that someone dropped beside the program, as on a USB stick or in Downloads: it
// makes no rich-text boxes, and if it is ever loaded it leaves riched20.dll.ran beside itself.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t mark[MAX_PATH + 8] = {};
    const DWORD length = GetModuleFileNameW(module, mark, MAX_PATH);
    lstrcpyW(mark + length, L".ran");
    const HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return TRUE;
}
