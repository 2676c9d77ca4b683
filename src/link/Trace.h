#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "link/HidTransport.h"
#include "link/Pause.h"

namespace solvane {

// Receives one line per transport operation or pause: "set <hex>", "get <hex>",
// "write <hex>", "read <hex>", "pause <ms>". Failed operations give "<op> failed" and a read
// that timed out gives "read timeout".
using TraceSink = std::function<void(std::string_view line)>;

std::string HexBytes(std::span<const std::uint8_t> bytes);

// A transport that passes every call through to `inner` and reports it to `sink`.
class TracingTransport final : public HidTransport {
public:
    TracingTransport(HidTransport& inner, TraceSink sink) : m_inner(inner), m_sink(std::move(sink)) {}

    std::vector<HidInterfaceInfo> Enumerate() override { return m_inner.Enumerate(); }
    HidHandle Open(const std::string& path) override { return m_inner.Open(path); }
    void Close(HidHandle handle) override { m_inner.Close(handle); }
    bool SetFeature(HidHandle handle, const FeatureReport& report) override;
    bool GetFeature(HidHandle handle, FeatureReport& report) override;
    bool WriteReport(HidHandle handle, const DataReport& report) override;
    ReadOutcome ReadReport(HidHandle handle, DataReport& report, int timeoutMs) override;

private:
    HidTransport& m_inner;
    TraceSink m_sink;
};

// A pause that reports "pause <ms>" to `sink` before calling `inner`.
PauseFunction TracingPause(PauseFunction inner, TraceSink sink);

}  // namespace solvane
