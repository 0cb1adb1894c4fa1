#include "device/libusb_loader.h"

#include <windows.h>

#include <utility>

#include "win32/dll_loading.h"
#include "win32/owned_handles.h"

namespace talvorne {
namespace {

// One slot per function the program calls, filled from the DLL's exports.
struct LibUSBFunctions {
  LibUSB::usb_init_fn usb_init = nullptr;
  LibUSB::usb_find_busses_fn usb_find_busses = nullptr;
  LibUSB::usb_find_devices_fn usb_find_devices = nullptr;
  LibUSB::usb_get_busses_fn usb_get_busses = nullptr;
  LibUSB::usb_open_fn usb_open = nullptr;
  LibUSB::usb_set_configuration_fn usb_set_configuration = nullptr;
  LibUSB::usb_claim_interface_fn usb_claim_interface = nullptr;
  LibUSB::usb_set_altinterface_fn usb_set_altinterface = nullptr;
  LibUSB::usb_release_interface_fn usb_release_interface = nullptr;
  LibUSB::usb_bulk_write_fn usb_bulk_write = nullptr;
  LibUSB::usb_bulk_read_fn usb_bulk_read = nullptr;
  LibUSB::usb_close_fn usb_close = nullptr;
};

template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& slot) {
  slot = ExportedFunction<Function>(module, name);
  return slot != nullptr;
}

bool ResolveAll(HMODULE module, LibUSBFunctions& f) {
  return Resolve(module, "usb_init", f.usb_init) &&
         Resolve(module, "usb_find_busses", f.usb_find_busses) &&
         Resolve(module, "usb_find_devices", f.usb_find_devices) &&
         Resolve(module, "usb_get_busses", f.usb_get_busses) &&
         Resolve(module, "usb_open", f.usb_open) &&
         Resolve(module, "usb_set_configuration", f.usb_set_configuration) &&
         Resolve(module, "usb_claim_interface", f.usb_claim_interface) &&
         Resolve(module, "usb_set_altinterface", f.usb_set_altinterface) &&
         Resolve(module, "usb_release_interface", f.usb_release_interface) &&
         Resolve(module, "usb_bulk_write", f.usb_bulk_write) &&
         Resolve(module, "usb_bulk_read", f.usb_bulk_read) &&
         Resolve(module, "usb_close", f.usb_close);
}

class LoadedLibUSB final : public UsbLibrary {
 public:
  LoadedLibUSB(OwnedModule module, const LibUSBFunctions& functions)
      : module_(std::move(module)), f_(functions) {}

  void usb_init() override { f_.usb_init(); }
  int usb_find_busses() override { return f_.usb_find_busses(); }
  int usb_find_devices() override { return f_.usb_find_devices(); }
  LibUSB::usb_bus* usb_get_busses() override { return f_.usb_get_busses(); }
  LibUSB::usb_dev_handle* usb_open(LibUSB::usb_device* device) override {
    return f_.usb_open(device);
  }
  int usb_set_configuration(LibUSB::usb_dev_handle* handle, int configuration) override {
    return f_.usb_set_configuration(handle, configuration);
  }
  int usb_claim_interface(LibUSB::usb_dev_handle* handle, int interfaceNumber) override {
    return f_.usb_claim_interface(handle, interfaceNumber);
  }
  int usb_set_altinterface(LibUSB::usb_dev_handle* handle, int alternate) override {
    return f_.usb_set_altinterface(handle, alternate);
  }
  int usb_release_interface(LibUSB::usb_dev_handle* handle, int interfaceNumber) override {
    return f_.usb_release_interface(handle, interfaceNumber);
  }
  int usb_bulk_write(LibUSB::usb_dev_handle* handle, int endpoint, const char* bytes, int size,
                     int timeoutMs) override {
    return f_.usb_bulk_write(handle, endpoint, bytes, size, timeoutMs);
  }
  int usb_bulk_read(LibUSB::usb_dev_handle* handle, int endpoint, char* bytes, int size,
                    int timeoutMs) override {
    return f_.usb_bulk_read(handle, endpoint, bytes, size, timeoutMs);
  }
  int usb_close(LibUSB::usb_dev_handle* handle) override { return f_.usb_close(handle); }

 private:
  OwnedModule module_;
  LibUSBFunctions f_;
};

}  // namespace

std::unique_ptr<UsbLibrary> LoadLibUSB(const std::wstring& dllPath) {
  // Only System32 (where the driver installs it), then the program's folder, never the current
  // folder or PATH, so that no stray libusb0.dll is picked up instead of the driver's.
  OwnedModule module(LoadDll(dllPath, DllFolders::kSystem32ThenProgram));
  if (!module) return nullptr;
  LibUSBFunctions functions;
  if (!ResolveAll(module.get(), functions)) return nullptr;
  return std::make_unique<LoadedLibUSB>(std::move(module), functions);
}

}  // namespace talvorne
