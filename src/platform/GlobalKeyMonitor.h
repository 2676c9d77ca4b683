#pragma once

#include <QObject>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/InputEventReader.h"

class QSocketNotifier;

namespace solvane {

// Reports freshly pressed keys as virtual-key codes while the program runs, whether its window
// is shown, hidden or behind a dialog. It reads the keyboard's own input event nodes; where
// those cannot be read it polls the X server's key map every 20 ms.
class GlobalKeyMonitor : public QObject {
    Q_OBJECT

public:
    enum class Source { None, InputEvents, X11Polling };

    explicit GlobalKeyMonitor(QObject* parent = nullptr);
    ~GlobalKeyMonitor() override;

    // Opens the keyboard's event nodes, else starts polling X11. Call again after a device
    // arrival: the nodes of a keyboard plugged in later are picked up.
    void Start();
    void Stop();
    Source source() const { return m_source; }

    // Watches an already open event stream (a node or, in tests, a pipe). Takes ownership.
    void WatchFileDescriptor(int fd);

    static constexpr int kPollIntervalMs = 20;

signals:
    void keyPressed(std::uint8_t virtualKey);

private:
    struct Node;

    void ReadNode(Node& node);
    void PollX11();

    std::vector<std::unique_ptr<Node>> m_nodes;
    QTimer m_pollTimer;
    std::array<std::uint8_t, 32> m_lastKeymap{};
    bool m_havePolled = false;
    Source m_source = Source::None;
};

}  // namespace solvane
