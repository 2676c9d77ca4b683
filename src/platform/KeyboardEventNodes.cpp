#include "platform/KeyboardEventNodes.h"

#include <libudev.h>

#include <cstdio>
#include <memory>
#include <string_view>

#include "link/KeyboardLink.h"

namespace solvane {
namespace {

struct UdevDeleter {
    void operator()(udev* u) const { udev_unref(u); }
    void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
    void operator()(udev_device* d) const { udev_device_unref(d); }
};

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

bool Equals(const char* value, const std::string& expected) {
    return value != nullptr && expected == value;
}

}  // namespace

std::vector<std::string> FindKeyboardEventNodes() {
    std::vector<std::string> nodes;
    std::unique_ptr<udev, UdevDeleter> context(udev_new());
    if (!context) {
        return nodes;
    }
    std::unique_ptr<udev_enumerate, UdevDeleter> enumerate(udev_enumerate_new(context.get()));
    if (!enumerate) {
        return nodes;
    }
    udev_enumerate_add_match_subsystem(enumerate.get(), "input");
    udev_enumerate_scan_devices(enumerate.get());
    const std::string vendor = Hex4(KEYBOARD_VENDOR_ID);
    const std::string product = Hex4(KEYBOARD_PRODUCT_ID);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
        std::unique_ptr<udev_device, UdevDeleter> device(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (!device) {
            continue;
        }
        const char* node = udev_device_get_devnode(device.get());
        if (node == nullptr || !std::string_view(node).starts_with("/dev/input/event")) {
            continue;
        }
        // The parent is owned by the child; it must not be unreferenced.
        udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device.get(), "usb", "usb_device");
        if (usb != nullptr && Equals(udev_device_get_sysattr_value(usb, "idVendor"), vendor) &&
            Equals(udev_device_get_sysattr_value(usb, "idProduct"), product)) {
            nodes.emplace_back(node);
        }
    }
    return nodes;
}

}  // namespace solvane
