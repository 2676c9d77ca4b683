#include "platform/HidapiTransport.h"

#include <hidapi/hidapi.h>

namespace solvane {

HidapiTransport::HidapiTransport() { hid_init(); }

HidapiTransport::~HidapiTransport() {
    for (auto& [handle, device] : m_devices) {
        hid_close(device);
    }
    hid_exit();
}

std::vector<HidInterfaceInfo> HidapiTransport::Enumerate() {
    std::vector<HidInterfaceInfo> result;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* entry = list; entry != nullptr; entry = entry->next) {
        if (entry->path == nullptr) {
            continue;
        }
        result.push_back({entry->path, entry->vendor_id, entry->product_id, entry->interface_number});
    }
    hid_free_enumeration(list);
    return result;
}

HidHandle HidapiTransport::Open(const std::string& path) {
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) {
        return kNoHandle;
    }
    std::scoped_lock lock(m_mutex);
    const HidHandle handle = m_nextHandle++;
    m_devices.emplace(handle, device);
    return handle;
}

void HidapiTransport::Close(HidHandle handle) {
    hid_device* device = nullptr;
    {
        std::scoped_lock lock(m_mutex);
        const auto it = m_devices.find(handle);
        if (it == m_devices.end()) {
            return;
        }
        device = it->second;
        m_devices.erase(it);
    }
    hid_close(device);
}

hid_device_* HidapiTransport::Device(HidHandle handle) {
    std::scoped_lock lock(m_mutex);
    const auto it = m_devices.find(handle);
    return it == m_devices.end() ? nullptr : it->second;
}

bool HidapiTransport::SetFeature(HidHandle handle, const FeatureReport& report) {
    hid_device* device = Device(handle);
    return device != nullptr && hid_send_feature_report(device, report.data(), report.size()) >= 0;
}

bool HidapiTransport::GetFeature(HidHandle handle, FeatureReport& report) {
    hid_device* device = Device(handle);
    if (device == nullptr) {
        return false;
    }
    report.fill(0);  // byte 0 selects report ID 0
    return hid_get_feature_report(device, report.data(), report.size()) >= 0;
}

bool HidapiTransport::WriteReport(HidHandle handle, const DataReport& report) {
    hid_device* device = Device(handle);
    return device != nullptr && hid_write(device, report.data(), report.size()) >= 0;
}

ReadOutcome HidapiTransport::ReadReport(HidHandle handle, DataReport& report, int timeoutMs) {
    hid_device* device = Device(handle);
    if (device == nullptr) {
        return ReadOutcome::Failed;
    }
    // The keyboard does not number its reports, so hidraw delivers the 64 data bytes alone.
    report.fill(0);
    const int n = hid_read_timeout(device, report.data() + kDataPayloadOffset, kDataPayloadSize, timeoutMs);
    if (n < 0) {
        return ReadOutcome::Failed;
    }
    return n == 0 ? ReadOutcome::TimedOut : ReadOutcome::Received;
}

}  // namespace solvane
