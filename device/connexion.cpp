#include "device/connexion.h"

#include "device/device_texts.h"

namespace talvorne {
namespace {

const OscilloscopeProfile* ProfileOf(const LibUSB::usb_device& device,
                                     std::span<const OscilloscopeProfile> known) {
  for (const OscilloscopeProfile& profile : known) {
    if (device.descriptor.idVendor == profile.vendorId &&
        device.descriptor.idProduct == profile.productId) {
      return &profile;
    }
  }
  return nullptr;
}

struct FoundOscilloscope {
  LibUSB::usb_device* device = nullptr;
  const OscilloscopeProfile* profile = nullptr;
};

FoundOscilloscope FindOscilloscope(LibUSB::usb_bus* busses,
                                   std::span<const OscilloscopeProfile> known) {
  for (LibUSB::usb_bus* bus = busses; bus != nullptr; bus = bus->next) {
    for (LibUSB::usb_device* device = bus->devices; device != nullptr; device = device->next) {
      if (const OscilloscopeProfile* profile = ProfileOf(*device, known)) return {device, profile};
    }
  }
  return {};
}

// A refused step is only reported; the next one runs all the same.
void SetUp(UsbLibrary& library, LibUSB::usb_dev_handle* handle, const OscilloscopeProfile& profile,
           ConnexionView& view) {
  if (library.usb_set_configuration(handle, profile.configuration) < 0) {
    view.ShowRefusedStep(SetUpStep::kConfiguration, device_texts::kConfigurationError1);
  }
  if (library.usb_claim_interface(handle, profile.interfaceNumber) < 0) {
    view.ShowRefusedStep(SetUpStep::kInterface, device_texts::kConfigurationError2);
  }
  if (library.usb_set_altinterface(handle, profile.alternateSetting) < 0) {
    library.usb_release_interface(handle, profile.releasedInterface);
    view.ShowRefusedStep(SetUpStep::kAlternateSetting, device_texts::kConfigurationError3);
  }
}

}  // namespace

OpenedOscilloscope ConnectOscilloscope(UsbLibrary& library, ConnexionView& view,
                                       std::span<const OscilloscopeProfile> known) {
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
    return {};
  }
  const FoundOscilloscope found = FindOscilloscope(busses, known);
  if (found.device == nullptr) {
    view.ShowMessage(device_texts::kNoOscilloscope);
    return {};
  }

  LibUSB::usb_dev_handle* handle = library.usb_open(found.device);
  if (handle == nullptr) {
    view.ShowMessage(device_texts::kCannotOpen);
    return {};
  }
  SetUp(library, handle, *found.profile, view);
  return {handle, found.profile};
}

void CloseOscilloscope(UsbLibrary& library, LibUSB::usb_dev_handle* handle) {
  if (handle != nullptr) library.usb_close(handle);
}

void ReleaseOscilloscope(UsbLibrary& library, LibUSB::usb_dev_handle*& handle,
                         const OscilloscopeProfile& profile) {
  // A device that has gone refuses both; there is nothing more to do about it.
  library.usb_release_interface(handle, profile.interfaceNumber);
  library.usb_close(handle);
  handle = nullptr;
}

}  // namespace talvorne
