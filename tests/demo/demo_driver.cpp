// Drives Talvorne.exe against the demonstration oscilloscope (a fake libusb0.dll).
//   demo_driver FOLDER            the scripted acquisition: see scripted_acquisition.h
//   demo_driver --prepare FOLDER  only prepares FOLDER\program, for a user to run Talvorne.exe
//                                 from there and click through the commands
#include <windows.h>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "tests/demo/program_folder.h"
#include "tests/demo/scripted_acquisition.h"
#include "win32/text_encoding.h"

namespace {

int Usage() {
  std::cerr << "usage: demo_driver [--prepare] FOLDER\n";
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    if (argc == 3 && std::wstring_view(argv[1]) == L"--prepare") {
      const std::filesystem::path program =
          talvorne::demo::PrepareProgramFolder(std::filesystem::absolute(argv[2]));
      std::cout << "Talvorne et l'oscilloscope simulé sont prêts : "
                << talvorne::Narrow(program.wstring()) << "\n";
      return 0;
    }
    if (argc == 2)
      return talvorne::demo::RunScriptedAcquisition(std::filesystem::absolute(argv[1]));
    return Usage();
  } catch (const std::exception& error) {
    std::cout << "ÉCHEC : " << error.what() << "\n";
    return 1;
  }
}
