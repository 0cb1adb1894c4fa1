#include "device/libusb_loader.h"

#include <windows.h>

#include <utility>

#include "decoding/placeholders.h"
#include "device/device_texts.h"
#include "win32/dll_loading.h"
#include "win32/owned_handles.h"

namespace talvorne {
namespace {

// One slot per function the program calls, filled from the DLL's exports.
struct LibUSBFunctions {
#define TALVORNE_LIBUSB_SLOT(result, name, parameters, arguments) LibUSB::name##_fn name = nullptr;
  TALVORNE_LIBUSB_FUNCTIONS(TALVORNE_LIBUSB_SLOT)
#undef TALVORNE_LIBUSB_SLOT
};

// Every slot filled, or the name of the first function the module does not export.
std::string ResolveAll(HMODULE module, LibUSBFunctions& f) {
#define TALVORNE_LIBUSB_RESOLVE(result, name, parameters, arguments) \
  f.name = ExportedFunction<LibUSB::name##_fn>(module, #name);       \
  if (f.name == nullptr) return #name;
  TALVORNE_LIBUSB_FUNCTIONS(TALVORNE_LIBUSB_RESOLVE)
#undef TALVORNE_LIBUSB_RESOLVE
  return {};
}

class LoadedLibUSB final : public UsbLibrary {
 public:
  LoadedLibUSB(OwnedModule module, const LibUSBFunctions& functions)
      : module_(std::move(module)), f_(functions) {}

#define TALVORNE_LIBUSB_FORWARD(result, name, parameters, arguments) \
  result name parameters override {                                  \
    return f_.name arguments;                                        \
  }
  TALVORNE_LIBUSB_FUNCTIONS(TALVORNE_LIBUSB_FORWARD)
#undef TALVORNE_LIBUSB_FORWARD

 private:
  OwnedModule module_;
  LibUSBFunctions f_;
};

}  // namespace

LibUSBLoad LoadLibUSB(const std::wstring& dllPath) {
  // Only System32 (where the driver installs it), then the program's folder, never the current
  // folder or PATH, so that no stray libusb0.dll is picked up instead of the driver's.
  OwnedModule module(LoadDll(dllPath, DllFolders::kSystem32ThenProgram));
  if (!module) return {};
  LibUSBFunctions functions;
  if (std::string missing = ResolveAll(module.get(), functions); !missing.empty()) {
    return {nullptr, std::move(missing)};
  }
  return {std::make_unique<LoadedLibUSB>(std::move(module), functions), {}};
}

std::string LoadFailureText(const LibUSBLoad& load) {
  if (load.missingFunction.empty()) return std::string(device_texts::kDriverMissing);
  return FillPlaceholders(device_texts::kDriverIncomplete, {load.missingFunction});
}

}  // namespace talvorne
