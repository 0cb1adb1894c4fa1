// The folder a demonstration runs Talvorne from: the program, the fake libusb0.dll beside it in
// place of the oscilloscope's driver, and the demonstration oscilloscope's scenario.
#pragma once

#include <filesystem>

namespace talvorne::demo {

// Fills folder/program (made afresh) from the copies built beside this driver; returns the path
// of the Talvorne.exe there.
std::filesystem::path PrepareProgramFolder(const std::filesystem::path& folder);

}  // namespace talvorne::demo
