// The Connexion command: find the oscilloscope on the USB busses, open it and set it up.
#pragma once

#include <span>
#include <string_view>

#include "device/libusb.h"
#include "device/oscilloscope_profile.h"
#include "device/usb_library.h"

namespace talvorne {

// The set-up of an opened oscilloscope, in the order the steps run.
enum class SetUpStep { kConfiguration, kInterface, kAlternateSetting };

// Where the command reports. Each call completes before the command's next library call, so a
// message box is closed by the user before the scan goes on.
class ConnexionView {
 public:
  virtual ~ConnexionView() = default;
  // A plain message box; returns once the user has closed it.
  virtual void ShowMessage(std::string_view text) = 0;
  // The step was refused; text says which, for the debug panel.
  virtual void ShowRefusedStep(SetUpStep step, std::string_view text) = 0;
};

// What Connexion opened: the handle, and the profile of the model it belongs to.
struct OpenedOscilloscope {
  LibUSB::usb_dev_handle* handle = nullptr;
  const OscilloscopeProfile* profile = nullptr;  // an entry of the profiles scanned for
};

// Opens the first device with the ids of any known model, busses then devices in list order, and
// runs that model's three set-up steps on it whatever each one answers. Returns the open handle,
// which the caller keeps as DeviceHandle and then counts as connected, with the model's profile
// for the exchanges; a null handle when nothing was opened: no bus list, no matching device, or
// an open that failed, each reported, and Connexion can be tried again. No busses or devices
// counted are reported at the library's first scan; at a later one only a failed count is, since
// the counts are then of changes.
OpenedOscilloscope ConnectOscilloscope(
    UsbLibrary& library, ConnexionView& view,
    std::span<const OscilloscopeProfile> known = kKnownOscilloscopes);

// The close handler's part: closes the handle if there is one.
void CloseOscilloscope(UsbLibrary& library, LibUSB::usb_dev_handle* handle);

// Lets go of an oscilloscope that no longer answers: releases its profile's interface, closes its
// handle and forgets it, so that the next Connexion opens the device afresh and the close handler
// has nothing left to close.
void ReleaseOscilloscope(UsbLibrary& library, LibUSB::usb_dev_handle*& handle,
                         const OscilloscopeProfile& profile);

}  // namespace talvorne
