#include <windows.h>

#include "shell/application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return talvorne::RunTalvorne(instance, showCommand);
}
