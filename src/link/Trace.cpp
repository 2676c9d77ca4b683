#include "link/Trace.h"

namespace solvane {
namespace {

void Report(const TraceSink& sink, std::string_view operation, std::span<const std::uint8_t> bytes,
            bool ok) {
    if (ok) {
        sink(std::string(operation) + " " + HexBytes(bytes));
    } else {
        sink(std::string(operation) + " failed");
    }
}

}  // namespace

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const auto byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

bool TracingTransport::SetFeature(HidHandle handle, const FeatureReport& report) {
    const bool ok = m_inner.SetFeature(handle, report);
    Report(m_sink, "set", report, ok);
    return ok;
}

bool TracingTransport::GetFeature(HidHandle handle, FeatureReport& report) {
    const bool ok = m_inner.GetFeature(handle, report);
    Report(m_sink, "get", report, ok);
    return ok;
}

bool TracingTransport::WriteReport(HidHandle handle, const DataReport& report) {
    const bool ok = m_inner.WriteReport(handle, report);
    Report(m_sink, "write", report, ok);
    return ok;
}

ReadOutcome TracingTransport::ReadReport(HidHandle handle, DataReport& report, int timeoutMs) {
    const ReadOutcome outcome = m_inner.ReadReport(handle, report, timeoutMs);
    if (outcome == ReadOutcome::TimedOut) {
        m_sink("read timeout");
    } else {
        Report(m_sink, "read", report, outcome == ReadOutcome::Received);
    }
    return outcome;
}

PauseFunction TracingPause(PauseFunction inner, TraceSink sink) {
    return [inner = std::move(inner), sink = std::move(sink)](int milliseconds) {
        sink("pause " + std::to_string(milliseconds));
        if (inner) {
            inner(milliseconds);
        }
    };
}

}  // namespace solvane
