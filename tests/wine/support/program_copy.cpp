#include "tests/wine/support/program_copy.h"

#include "tests/wine/support/child_process.h"

namespace talvorne::testing {

std::filesystem::path CopyProgramInto(const std::filesystem::path& folder,
                                      const wchar_t* builtName) {
  const std::filesystem::path copy = folder / L"Talvorne.exe";
  std::filesystem::copy_file(TestProgramFolder() / builtName, copy,
                             std::filesystem::copy_options::overwrite_existing);
  return copy;
}

}  // namespace talvorne::testing
