#include "tests/demo/program_folder.h"

#include "tests/demo/demo_oscilloscope.h"
#include "tests/wine/support/child_process.h"
#include "tests/wine/support/program_copy.h"
#include "tests/wine/support/stand_in_zuruzevu.h"

namespace talvorne::demo {

std::filesystem::path PrepareProgramFolder(const std::filesystem::path& folder) {
  const std::filesystem::path program = folder / L"program";
  std::filesystem::remove_all(program);
  std::filesystem::create_directories(program);
  std::filesystem::copy_file(testing::TestProgramFolder() / L"libusb0.dll",
                             program / L"libusb0.dll");
  DemoOscilloscope().WriteTo(program);
  testing::PlaceStandInZuruzevu(program);
  return testing::CopyProgramInto(program);
}

}  // namespace talvorne::demo
