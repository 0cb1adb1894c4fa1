// libusb-win32 reports failures with errno values of its own (those of the Windows C library),
// and the program shows them in its status labels; Linux's libusb-0.1 returns Linux's.
#pragma once

#include <chrono>

namespace talvorne::bridge {

inline constexpr int kWin32Io = -5;
inline constexpr int kWin32NoMemory = -12;
inline constexpr int kWin32Invalid = -22;
inline constexpr int kWin32TimedOut = -116;

// A Linux libusb-0.1 result as libusb-win32 would have given it: counts and other non-negative
// results unchanged; a time-out as -116; an invalid argument and a lack of memory as themselves;
// any other failure (a busy interface, a refused permission, a stall, a device gone) as -5.
int AsLibUsbWin32Result(int linuxResult);

// A Linux bulk read's result with its time-out made plain. Linux's libusb-0.1 over libusb-1.0
// (libusb-compat) answers a read that times out after part of its data with the count that came,
// where libusb-win32 reports the time-out: a read that brought fewer than size bytes and returned
// no sooner than its time-out (0: none) gives -ETIMEDOUT; any other result is kept.
int WithPartialTimeOut(int linuxResult, int size, int timeoutMs,
                       std::chrono::steady_clock::duration elapsed);

}  // namespace talvorne::bridge
