#include "device/connexion.h"

#include "device/device_texts.h"
#include "device/oscilloscope_protocol.h"

namespace talvorne {
namespace {

bool IsOscilloscope(const LibUSB::usb_device& device) {
  return device.descriptor.idVendor == oscilloscope::kVendorId &&
         device.descriptor.idProduct == oscilloscope::kProductId;
}

LibUSB::usb_device* FindOscilloscope(LibUSB::usb_bus* busses) {
  for (LibUSB::usb_bus* bus = busses; bus != nullptr; bus = bus->next) {
    for (LibUSB::usb_device* device = bus->devices; device != nullptr; device = device->next) {
      if (IsOscilloscope(*device)) return device;
    }
  }
  return nullptr;
}

// A refused step is only reported; the next one runs all the same.
void SetUp(UsbLibrary& library, LibUSB::usb_dev_handle* handle, ConnexionView& view) {
  if (library.usb_set_configuration(handle, oscilloscope::kConfiguration) < 0) {
    view.SetLabel(1, device_texts::kConfigurationError1);
  }
  if (library.usb_claim_interface(handle, oscilloscope::kInterface) < 0) {
    view.SetLabel(2, device_texts::kConfigurationError2);
  }
  if (library.usb_set_altinterface(handle, oscilloscope::kAlternateSetting) < 0) {
    library.usb_release_interface(handle, oscilloscope::kReleasedInterface);
    view.SetLabel(3, device_texts::kConfigurationError3);
  }
}

}  // namespace

LibUSB::usb_dev_handle* ConnectOscilloscope(UsbLibrary& library, ConnexionView& view) {
  library.usb_init();
  // The counts only decide the messages: the bus list is walked whatever they say. At a rescan
  // they count changes, and 0 only means that nothing was plugged in or out since the last one.
  const int fewestExpected = library.HasScanned() ? 0 : 1;
  if (library.usb_find_busses() < fewestExpected) view.ShowMessage(device_texts::kNoBus);
  if (library.usb_find_devices() < fewestExpected) view.ShowMessage(device_texts::kNoDevices);
  library.NoteScan();

  LibUSB::usb_bus* busses = library.usb_get_busses();
  if (busses == nullptr) {
    view.ShowMessage(device_texts::kEmptyBusList);
    return nullptr;
  }
  LibUSB::usb_device* device = FindOscilloscope(busses);
  if (device == nullptr) {
    view.ShowMessage(device_texts::kNoOscilloscope);
    return nullptr;
  }

  LibUSB::usb_dev_handle* handle = library.usb_open(device);
  if (handle == nullptr) {
    view.ShowMessage(device_texts::kCannotOpen);
    return nullptr;
  }
  SetUp(library, handle, view);
  return handle;
}

void CloseOscilloscope(UsbLibrary& library, LibUSB::usb_dev_handle* handle) {
  if (handle != nullptr) library.usb_close(handle);
}

void ReleaseOscilloscope(UsbLibrary& library, LibUSB::usb_dev_handle*& handle) {
  // A device that has gone refuses both; there is nothing more to do about it.
  library.usb_release_interface(handle, oscilloscope::kInterface);
  library.usb_close(handle);
  handle = nullptr;
}

}  // namespace talvorne
