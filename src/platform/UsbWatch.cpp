#include "platform/UsbWatch.h"

#include <libudev.h>

#include <QSocketNotifier>
#include <string_view>

namespace solvane {

UsbWatch::UsbWatch(QObject* parent) : QObject(parent) {
    m_udev = udev_new();
    if (m_udev == nullptr) {
        return;
    }
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor == nullptr) {
        return;
    }
    if (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "usb", "usb_interface") < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &UsbWatch::ReadEvents);
}

UsbWatch::~UsbWatch() {
    m_notifier.reset();
    if (m_monitor != nullptr) {
        udev_monitor_unref(m_monitor);
    }
    if (m_udev != nullptr) {
        udev_unref(m_udev);
    }
}

void UsbWatch::ReadEvents() {
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        const char* action = udev_device_get_action(device);
        const std::string_view what = action != nullptr ? action : "";
        udev_device_unref(device);
        if (what == "add") {
            emit arrived();
        } else if (what == "remove") {
            emit removed();
        }
    }
}

}  // namespace solvane
