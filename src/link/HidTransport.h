#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/Reports.h"

namespace solvane {

// One HID interface as enumeration reports it.
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    int interfaceNumber = -1;
};

// An open interface; kNoHandle means none.
using HidHandle = std::int64_t;
inline constexpr HidHandle kNoHandle = 0;

enum class ReadOutcome {
    Received,  // a whole report arrived
    TimedOut,  // nothing arrived within the time-out
    Failed,    // the transport failed: the device is gone
};

// The only way to the keyboard. Every call is synchronous.
class HidTransport {
public:
    virtual ~HidTransport() = default;

    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    virtual HidHandle Open(const std::string& path) = 0;
    virtual void Close(HidHandle handle) = 0;
    virtual bool SetFeature(HidHandle handle, const FeatureReport& report) = 0;
    // `report` byte 0 is the report ID (0); the keyboard fills bytes 1..8.
    virtual bool GetFeature(HidHandle handle, FeatureReport& report) = 0;
    virtual bool WriteReport(HidHandle handle, const DataReport& report) = 0;
    virtual ReadOutcome ReadReport(HidHandle handle, DataReport& report, int timeoutMs) = 0;
};

}  // namespace solvane
