// LibUSB: the part of the libusb-0.1 interface that Talvorne uses, as libusb-win32's libusb0.dll
// exports it. The records are byte-packed like the library's own, so on x64 the pointers after
// the 18-byte device descriptor are unaligned; the static_asserts pin the offsets the DLL uses.
// Fixed-width fields keep the same layout natively (Linux x86_64) and on Win64, so the unit tests
// walk exactly the records the program walks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talvorne::LibUSB {

struct usb_dev_handle;         // opaque: only passed back to the library
struct usb_config_descriptor;  // never read
struct usb_device;

#pragma pack(push, 1)

struct usb_device_descriptor {
  std::uint8_t bLength;
  std::uint8_t bDescriptorType;
  std::uint16_t bcdUSB;
  std::uint8_t bDeviceClass;
  std::uint8_t bDeviceSubClass;
  std::uint8_t bDeviceProtocol;
  std::uint8_t bMaxPacketSize0;
  std::uint16_t idVendor;
  std::uint16_t idProduct;
  std::uint16_t bcdDevice;
  std::uint8_t iManufacturer;
  std::uint8_t iProduct;
  std::uint8_t iSerialNumber;
  std::uint8_t bNumConfigurations;
};

struct usb_bus {
  usb_bus* next;
  usb_bus* prev;
  char dirname[512];
  usb_device* devices;
  std::uint32_t location;  // an unsigned long, 32-bit on Windows
  usb_device* root_dev;
};

struct usb_device {
  usb_device* next;
  usb_device* prev;
  char filename[512];
  usb_bus* bus;
  usb_device_descriptor descriptor;
  usb_config_descriptor* config;
  void* dev;
  std::uint8_t devnum;
  std::uint8_t num_children;
  usb_device** children;
};

#pragma pack(pop)

static_assert(sizeof(void*) == 8, "the offsets below are those of the 64-bit library");
static_assert(sizeof(usb_device_descriptor) == 18);
static_assert(offsetof(usb_device_descriptor, idVendor) == 8);
static_assert(offsetof(usb_device_descriptor, idProduct) == 10);
static_assert(offsetof(usb_bus, devices) == 528);
static_assert(offsetof(usb_bus, location) == 536);
static_assert(sizeof(usb_bus) == 548);
static_assert(offsetof(usb_device, descriptor) == 536);
static_assert(offsetof(usb_device, config) == 554);
static_assert(sizeof(usb_device) == 580);

// The twelve exported functions, C calling convention; a negative int means failure. Written
// once, here: X(result, name, parameters, arguments) for each, expanded into the function
// pointer types below, the UsbLibrary interface, and the loader's slots, lookups and calls.
// Types are spelt in full, for expansions outside this namespace.
#define TALVORNE_LIBUSB_FUNCTIONS(X)                                                               \
  X(void, usb_init, (), ())                                                                        \
  X(int, usb_find_busses, (), ())                                                                  \
  X(int, usb_find_devices, (), ())                                                                 \
  X(::talvorne::LibUSB::usb_bus*, usb_get_busses, (), ())                                          \
  X(::talvorne::LibUSB::usb_dev_handle*, usb_open, (::talvorne::LibUSB::usb_device * device),      \
    (device))                                                                                      \
  X(int, usb_set_configuration, (::talvorne::LibUSB::usb_dev_handle * handle, int configuration),  \
    (handle, configuration))                                                                       \
  X(int, usb_claim_interface, (::talvorne::LibUSB::usb_dev_handle * handle, int interfaceNumber),  \
    (handle, interfaceNumber))                                                                     \
  X(int, usb_set_altinterface, (::talvorne::LibUSB::usb_dev_handle * handle, int alternate),       \
    (handle, alternate))                                                                           \
  X(int, usb_release_interface,                                                                    \
    (::talvorne::LibUSB::usb_dev_handle * handle, int interfaceNumber), (handle, interfaceNumber)) \
  /* Both transfers return the number of bytes moved or a negative error code. */                  \
  X(int, usb_bulk_write,                                                                           \
    (::talvorne::LibUSB::usb_dev_handle * handle, int endpoint, const char* bytes, int size,       \
     int timeoutMs),                                                                               \
    (handle, endpoint, bytes, size, timeoutMs))                                                    \
  X(int, usb_bulk_read,                                                                            \
    (::talvorne::LibUSB::usb_dev_handle * handle, int endpoint, char* bytes, int size,             \
     int timeoutMs),                                                                               \
    (handle, endpoint, bytes, size, timeoutMs))                                                    \
  X(int, usb_close, (::talvorne::LibUSB::usb_dev_handle * handle), (handle))

// usb_init_fn and its like: the exports' types.
extern "C" {
#define TALVORNE_LIBUSB_FUNCTION_TYPE(result, name, parameters, arguments) \
  using name##_fn = result(*) parameters;
TALVORNE_LIBUSB_FUNCTIONS(TALVORNE_LIBUSB_FUNCTION_TYPE)
#undef TALVORNE_LIBUSB_FUNCTION_TYPE
}

}  // namespace talvorne::LibUSB
