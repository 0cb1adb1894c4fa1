// The twelve functions of libusb-win32's libusb0.dll that the program calls, answered through
// Linux's libusb-0.1: the bus list is handed out as packed copies, the program's handles are
// checked before they reach Linux's library, and Linux's results come back as libusb-win32 gives
// them. libusb0.spec exports these under the plain names, which Linux's library already uses.
// __cdecl is the Windows calling convention, in which the program calls them (winegcc defines it).
//
// wineg++ builds this file with a 16-bit wchar_t and _WIN32 defined: it keeps to the parts of the
// C++ library that neither changes.
#include <usb.h>

#include <cerrno>
#include <chrono>
#include <unordered_set>

#include "device/libusb.h"
#include "linux/libusb_win32_results.h"
#include "linux/packed_bus_list.h"

namespace {

using namespace talvorne;

// What lasts from call to call.
struct Bridge {
  bridge::PackedBusList busses;
  std::unordered_set<usb_dev_handle*> openHandles;
};

Bridge& TheBridge() {
  static Bridge bridge;
  return bridge;
}

// Linux's list after a scan, copied for the program.
int Scanned(int linuxResult) {
  TheBridge().busses.Update(usb_get_busses());
  return bridge::AsLibUsbWin32Result(linuxResult);
}

// A call on one of the program's handles. A handle this library did not open, or has closed, is
// refused as invalid instead of being followed by Linux's library.
template <typename Call>
int OnHandle(LibUSB::usb_dev_handle* handle, Call call) {
  auto* linuxHandle = reinterpret_cast<usb_dev_handle*>(handle);
  if (!TheBridge().openHandles.contains(linuxHandle)) return bridge::kWin32Invalid;
  return bridge::AsLibUsbWin32Result(call(linuxHandle));
}

}  // namespace

extern "C" {

void __cdecl bridge_usb_init() {
  usb_init();
}

int __cdecl bridge_usb_find_busses() {
  return Scanned(usb_find_busses());
}

int __cdecl bridge_usb_find_devices() {
  return Scanned(usb_find_devices());
}

LibUSB::usb_bus* __cdecl bridge_usb_get_busses() {
  return TheBridge().busses.Head();
}

LibUSB::usb_dev_handle* __cdecl bridge_usb_open(LibUSB::usb_device* device) {
  struct usb_device* linuxDevice = TheBridge().busses.LinuxDevice(device);
  usb_dev_handle* handle = linuxDevice != nullptr ? usb_open(linuxDevice) : nullptr;
  if (handle != nullptr) TheBridge().openHandles.insert(handle);
  return reinterpret_cast<LibUSB::usb_dev_handle*>(handle);
}

int __cdecl bridge_usb_set_configuration(LibUSB::usb_dev_handle* handle, int configuration) {
  return OnHandle(handle,
                  [=](usb_dev_handle* h) { return usb_set_configuration(h, configuration); });
}

// On Windows the oscilloscope's interface belongs to libusb-win32's driver; on Linux a kernel
// driver may hold it, and is then detached so that the claim can be tried again.
int __cdecl bridge_usb_claim_interface(LibUSB::usb_dev_handle* handle, int interfaceNumber) {
  return OnHandle(handle, [=](usb_dev_handle* h) {
    const int result = usb_claim_interface(h, interfaceNumber);
    if (result != -EBUSY || usb_detach_kernel_driver_np(h, interfaceNumber) < 0) return result;
    return usb_claim_interface(h, interfaceNumber);
  });
}

int __cdecl bridge_usb_set_altinterface(LibUSB::usb_dev_handle* handle, int alternate) {
  return OnHandle(handle, [=](usb_dev_handle* h) { return usb_set_altinterface(h, alternate); });
}

int __cdecl bridge_usb_release_interface(LibUSB::usb_dev_handle* handle, int interfaceNumber) {
  return OnHandle(handle,
                  [=](usb_dev_handle* h) { return usb_release_interface(h, interfaceNumber); });
}

int __cdecl bridge_usb_bulk_write(LibUSB::usb_dev_handle* handle, int endpoint, const char* bytes,
                                  int size, int timeoutMs) {
  return OnHandle(handle, [=](usb_dev_handle* h) {
    return usb_bulk_write(h, endpoint, bytes, size, timeoutMs);
  });
}

int __cdecl bridge_usb_bulk_read(LibUSB::usb_dev_handle* handle, int endpoint, char* bytes,
                                 int size, int timeoutMs) {
  return OnHandle(handle, [=](usb_dev_handle* h) {
    const auto start = std::chrono::steady_clock::now();
    const int result = usb_bulk_read(h, endpoint, bytes, size, timeoutMs);
    return bridge::WithPartialTimeOut(result, size, timeoutMs,
                                      std::chrono::steady_clock::now() - start);
  });
}

int __cdecl bridge_usb_close(LibUSB::usb_dev_handle* handle) {
  return OnHandle(handle, [](usb_dev_handle* h) {
    TheBridge().openHandles.erase(h);
    return usb_close(h);
  });
}

}  // extern "C"
