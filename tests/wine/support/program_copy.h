// Copies of the program for cross-process tests, each in a folder of the test's own.
#pragma once

#include <filesystem>

namespace talvorne::testing {

// Copies a program built beside the test (Talvorne.exe, or one of its variants) into the folder
// as Talvorne.exe and returns the copy's path.
std::filesystem::path CopyProgramInto(const std::filesystem::path& folder,
                                      const wchar_t* builtName = L"Talvorne.exe");

}  // namespace talvorne::testing
