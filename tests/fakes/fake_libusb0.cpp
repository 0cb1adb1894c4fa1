// The fake oscilloscope: a libusb0.dll exporting the twelve libusb-0.1 functions the program
// calls, answering from a scenario beside the DLL and logging every call there (formats in
// tests/support/fake_usb_instrument.h). The scenario is read at the first call.
#include <windows.h>

#include <filesystem>
#include <string>

#include "device/libusb.h"
#include "tests/support/fake_usb_instrument.h"

namespace {

using namespace talvorne::LibUSB;
using Instrument = talvorne::testing::FakeUsbInstrument<usb_bus, usb_device, usb_dev_handle>;

std::filesystem::path DllFolder() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&DllFolder), &module);
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size())));
  return std::filesystem::path(path).parent_path();
}

Instrument& TheInstrument() {
  static Instrument instrument(DllFolder());
  return instrument;
}

}  // namespace

// The exports, by their plain C names (see libusb0.def).
extern "C" {

void usb_init() {
  TheInstrument().Init();
}
int usb_find_busses() {
  return TheInstrument().FindBusses();
}
int usb_find_devices() {
  return TheInstrument().FindDevices();
}
usb_bus* usb_get_busses() {
  return TheInstrument().GetBusses();
}
usb_dev_handle* usb_open(usb_device* device) {
  return TheInstrument().Open(device);
}
int usb_set_configuration(usb_dev_handle* handle, int configuration) {
  return TheInstrument().SetConfiguration(handle, configuration);
}
int usb_claim_interface(usb_dev_handle* handle, int interfaceNumber) {
  return TheInstrument().ClaimInterface(handle, interfaceNumber);
}
int usb_set_altinterface(usb_dev_handle* handle, int alternate) {
  return TheInstrument().SetAltInterface(handle, alternate);
}
int usb_release_interface(usb_dev_handle* handle, int interfaceNumber) {
  return TheInstrument().ReleaseInterface(handle, interfaceNumber);
}
int usb_bulk_write(usb_dev_handle* handle, int endpoint, const char* bytes, int size,
                   int timeoutMs) {
  return TheInstrument().BulkWrite(handle, endpoint, bytes, size, timeoutMs);
}
int usb_bulk_read(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeoutMs) {
  return TheInstrument().BulkRead(handle, endpoint, bytes, size, timeoutMs);
}
int usb_close(usb_dev_handle* handle) {
  return TheInstrument().Close(handle);
}

}  // extern "C"
