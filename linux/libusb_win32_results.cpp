#include "linux/libusb_win32_results.h"

#include <cerrno>

namespace talvorne::bridge {

int AsLibUsbWin32Result(int linuxResult) {
  if (linuxResult >= 0) return linuxResult;
  switch (-linuxResult) {
    case ETIMEDOUT:
      return kWin32TimedOut;
    case EINVAL:
      return kWin32Invalid;
    case ENOMEM:
      return kWin32NoMemory;
    default:
      return kWin32Io;
  }
}

int WithPartialTimeOut(int linuxResult, int size, int timeoutMs,
                       std::chrono::steady_clock::duration elapsed) {
  const bool cameShort = linuxResult >= 0 && linuxResult < size;
  const bool timedOut = timeoutMs > 0 && elapsed >= std::chrono::milliseconds(timeoutMs);
  return cameShort && timedOut ? -ETIMEDOUT : linuxResult;
}

}  // namespace talvorne::bridge
