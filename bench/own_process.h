// A benchmark's measurement run in a process of its own, so that its figures and its peak memory
// owe nothing to what ran before it.
#pragma once

#include <windows.h>

#include <string>

namespace talvorne::bench {

// Runs this program again with the arguments given, its output going to this process's, and
// returns its exit code: STILL_ACTIVE when it had to be ended after deadlineMs.
DWORD RunThisProgramAgain(const std::wstring& arguments, DWORD deadlineMs);

}  // namespace talvorne::bench
