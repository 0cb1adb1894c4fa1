// The stand-in for Linux's libusb-0.1 (libusb-0.1.so.4) in the bridge's Wine tests, found before
// Debian's through LD_LIBRARY_PATH: the functions the bridge calls, answered from a scenario and
// logged as the fake libusb0.dll does (formats in tests/support/fake_usb_instrument.h), with both
// files in the folder the program runs from, its current folder. Its results are Linux's: a
// time-out is -110.
#include <usb.h>

#include <filesystem>

#include "tests/support/fake_usb_instrument.h"

namespace {

using Instrument =
    talvorne::testing::FakeUsbInstrument<struct usb_bus, struct usb_device, usb_dev_handle>;

Instrument& TheInstrument() {
  static Instrument instrument(std::filesystem::current_path());
  return instrument;
}

}  // namespace

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
struct usb_bus* usb_get_busses() {
  return TheInstrument().GetBusses();
}
usb_dev_handle* usb_open(struct usb_device* device) {
  return TheInstrument().Open(device);
}
int usb_set_configuration(usb_dev_handle* handle, int configuration) {
  return TheInstrument().SetConfiguration(handle, configuration);
}
int usb_claim_interface(usb_dev_handle* handle, int interfaceNumber) {
  return TheInstrument().ClaimInterface(handle, interfaceNumber);
}
int usb_detach_kernel_driver_np(usb_dev_handle* handle, int interfaceNumber) {
  return TheInstrument().DetachKernelDriver(handle, interfaceNumber);
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
