// The folder a demonstration runs Talvorne from: the program, the fake libusb0.dll beside it in
// place of the oscilloscope's driver, the demonstration oscilloscope's scenario, and the stand-in
// Zuruzevu where Talvorne looks for it, beside the program.
#pragma once

#include <filesystem>

namespace talvorne::demo {

// Fills folder/program (made afresh) from the copies built beside this driver; returns the path
// of the Talvorne.exe there.
std::filesystem::path PrepareProgramFolder(const std::filesystem::path& folder);

}  // namespace talvorne::demo
