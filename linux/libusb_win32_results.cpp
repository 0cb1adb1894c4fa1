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

}  // namespace talvorne::bridge
