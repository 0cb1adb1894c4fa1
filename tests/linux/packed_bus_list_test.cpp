// The bridge's copies of Linux's bus list, built from Linux's own records, and its results.
#include "linux/packed_bus_list.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "linux/libusb_win32_results.h"
#include "tests/support/simulated_usb.h"

namespace talvorne {
namespace {

using bridge::PackedBusList;
using LinuxBusList = testing::BasicBusList<struct usb_bus, struct usb_device>;

// Two busses: the first with a root hub, the oscilloscope and a mouse, the second with its root.
struct LinuxRecords {
  LinuxRecords() {
    list.AddBus();
    list.AddDevice({0x1d6b, 0x0002});
    list.AddDevice({0x5345, 0x1234});
    list.AddDevice({0x046d, 0xc077});
    list.AddBus();
    list.AddDevice({0x1d6b, 0x0003});
  }
  struct usb_bus& Bus(int n) {
    return n == 1 ? *list.Head() : *list.Head()->next;
  }
  struct usb_device& Device(int bus, int n) {
    struct usb_device* device = Bus(bus).devices;
    while (--n > 0) device = device->next;
    return *device;
  }
  LinuxBusList list;
};

TEST(PackedBusList, CopiesEveryRecordInTheProgramsLayoutPointingOnlyAtCopies) {
  LinuxRecords records;
  struct usb_device& oscilloscope = records.Device(1, 2);
  const unsigned char descriptor[18] = {18,   1,    0x10, 0x01, 0xff, 0, 0, 64, 0x45,
                                        0x53, 0x34, 0x12, 0x00, 0x02, 1, 2, 3,  1};
  std::memcpy(&oscilloscope.descriptor, descriptor, sizeof descriptor);
  std::memset(records.Device(1, 3).filename, 'x', 600);  // longer than the program's 512 bytes
  PackedBusList packed;
  packed.Update(records.list.Head());

  LibUSB::usb_bus* first = packed.Head();
  ASSERT_NE(first, nullptr);
  LibUSB::usb_bus* second = first->next;
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->next, nullptr);
  EXPECT_EQ(first->prev, nullptr);
  EXPECT_EQ(second->prev, first);
  EXPECT_STREQ(first->dirname, "001");
  EXPECT_STREQ(second->dirname, "002");
  EXPECT_EQ(second->location, 2u);

  LibUSB::usb_device* root = first->devices;
  ASSERT_NE(root, nullptr);
  LibUSB::usb_device* copy = root->next;
  LibUSB::usb_device* mouse = copy->next;
  EXPECT_EQ(mouse->next, nullptr);
  EXPECT_EQ(mouse->prev, copy);
  EXPECT_EQ(copy->prev, root);
  EXPECT_EQ(copy->bus, first);
  EXPECT_EQ(second->devices->bus, second);
  EXPECT_EQ(std::memcmp(&copy->descriptor, descriptor, sizeof descriptor), 0);
  EXPECT_STREQ(copy->filename, "002");
  EXPECT_EQ(copy->devnum, 2);
  // Read by value: after the 18-byte descriptor the packed pointers are not aligned.
  const LibUSB::usb_config_descriptor* config = copy->config;
  EXPECT_EQ(config, nullptr);
  EXPECT_EQ(std::string(mouse->filename), std::string(511, 'x'));

  const LibUSB::usb_device* rootDevice = first->root_dev;
  EXPECT_EQ(rootDevice, root);
  ASSERT_EQ(root->num_children, 2);
  LibUSB::usb_device** children = root->children;
  EXPECT_EQ(children[0], copy);
  EXPECT_EQ(children[1], mouse);
  LibUSB::usb_device** noChildren = copy->children;
  EXPECT_EQ(noChildren, nullptr);

  EXPECT_EQ(packed.LinuxDevice(copy), &oscilloscope);
  EXPECT_EQ(packed.LinuxDevice(nullptr), nullptr);
  EXPECT_EQ(packed.LinuxDevice(reinterpret_cast<LibUSB::usb_device*>(first)), nullptr);
}

TEST(PackedBusList, ACopyLastsAsLongAsLinuxKeepsItsRecord) {
  LinuxRecords records;
  PackedBusList packed;
  packed.Update(records.list.Head());
  LibUSB::usb_bus* first = packed.Head();
  LibUSB::usb_device* root = first->devices;
  LibUSB::usb_device* mouse = root->next->next;

  // The oscilloscope is unplugged and the second bus goes.
  struct usb_device& linuxRoot = records.Device(1, 1);
  struct usb_device& linuxMouse = records.Device(1, 3);
  linuxRoot.next = &linuxMouse;
  linuxMouse.prev = &linuxRoot;
  linuxRoot.num_children = 1;
  linuxRoot.children[0] = &linuxMouse;
  records.Bus(1).next = nullptr;
  packed.Update(records.list.Head());

  EXPECT_EQ(packed.Head(), first);
  EXPECT_EQ(first->next, nullptr);
  EXPECT_EQ(first->devices, root);
  EXPECT_EQ(root->next, mouse);
  EXPECT_EQ(mouse->prev, root);
  ASSERT_EQ(root->num_children, 1);
  LibUSB::usb_device** children = root->children;
  EXPECT_EQ(children[0], mouse);
  EXPECT_EQ(packed.LinuxDevice(mouse), &linuxMouse);

  packed.Update(nullptr);  // every bus gone
  EXPECT_EQ(packed.Head(), nullptr);
  EXPECT_EQ(packed.LinuxDevice(mouse), nullptr);
}

TEST(LibUsbWin32Results, LinuxFailuresComeBackAsLibusbWin32Reports) {
  using bridge::AsLibUsbWin32Result;
  EXPECT_EQ(AsLibUsbWin32Result(0), 0);
  EXPECT_EQ(AsLibUsbWin32Result(20116), 20116);
  EXPECT_EQ(AsLibUsbWin32Result(-ETIMEDOUT), -116);
  EXPECT_EQ(AsLibUsbWin32Result(-EINVAL), -22);
  EXPECT_EQ(AsLibUsbWin32Result(-ENOMEM), -12);
  for (int other : {-EBUSY, -EPERM, -EACCES, -EPIPE, -ENODEV, -ENOTTY, -1, -116}) {
    EXPECT_EQ(AsLibUsbWin32Result(other), -5) << other;
  }
}

TEST(LibUsbWin32Results, AReadThatTimesOutAfterPartOfItsDataIsATimeOut) {
  using bridge::AsLibUsbWin32Result;
  using bridge::WithPartialTimeOut;
  using namespace std::chrono_literals;
  const auto win32Read = [](int linuxResult, int size, int timeoutMs, auto elapsed) {
    return AsLibUsbWin32Result(WithPartialTimeOut(linuxResult, size, timeoutMs, elapsed));
  };
  EXPECT_EQ(win32Read(4096, 20116, 5000, 5000ms), -116);  // part of the record, then the limit
  EXPECT_EQ(win32Read(0, 12, 2000, 2001ms), -116);
  EXPECT_EQ(win32Read(-ETIMEDOUT, 12, 2000, 2000ms), -116);
  EXPECT_EQ(win32Read(4096, 20116, 5000, 4999ms), 4096);  // a short record, ended in time
  EXPECT_EQ(win32Read(20116, 20116, 5000, 6s), 20116);    // whole, however long it took
  EXPECT_EQ(win32Read(0, 0, 5000, 5s), 0);
  EXPECT_EQ(win32Read(4096, 20116, 0, 10s), 4096);  // no time-out asked for
  EXPECT_EQ(win32Read(-EPIPE, 12, 2000, 3s), -5);
}

}  // namespace
}  // namespace talvorne
