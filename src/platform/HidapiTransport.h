#pragma once

#include <map>
#include <mutex>

#include "link/HidTransport.h"

struct hid_device_;

namespace solvane {

// The real keyboard, through hidapi's hidraw backend.
class HidapiTransport final : public HidTransport {
public:
    HidapiTransport();
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    std::vector<HidInterfaceInfo> Enumerate() override;
    HidHandle Open(const std::string& path) override;
    void Close(HidHandle handle) override;
    bool SetFeature(HidHandle handle, const FeatureReport& report) override;
    bool GetFeature(HidHandle handle, FeatureReport& report) override;
    bool WriteReport(HidHandle handle, const DataReport& report) override;
    ReadOutcome ReadReport(HidHandle handle, DataReport& report, int timeoutMs) override;

private:
    hid_device_* Device(HidHandle handle);

    std::mutex m_mutex;  // guards the handle table only; calls on one device are the link's to order
    std::map<HidHandle, hid_device_*> m_devices;
    HidHandle m_nextHandle = 1;
};

}  // namespace solvane
