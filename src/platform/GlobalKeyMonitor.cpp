#include "platform/GlobalKeyMonitor.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <xcb/xcb.h>

#include "platform/InputKeyCodes.h"
#include "platform/KeyboardEventNodes.h"

namespace solvane {
namespace {

// X servers number keys as the Linux input code plus 8.
constexpr int kX11KeycodeOffset = 8;

xcb_connection_t* X11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

}  // namespace

struct GlobalKeyMonitor::Node {
    int fd = -1;
    InputEventReader reader;
    std::unique_ptr<QSocketNotifier> notifier;
    ~Node() {
        notifier.reset();
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

GlobalKeyMonitor::GlobalKeyMonitor(QObject* parent) : QObject(parent) {
    m_pollTimer.setInterval(kPollIntervalMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &GlobalKeyMonitor::PollX11);
}

GlobalKeyMonitor::~GlobalKeyMonitor() = default;

void GlobalKeyMonitor::Start() {
    Stop();
    for (const auto& path : FindKeyboardEventNodes()) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            WatchFileDescriptor(fd);
        }
    }
    if (!m_nodes.empty()) {
        return;
    }
    if (X11Connection() != nullptr) {
        m_havePolled = false;
        m_pollTimer.start();
        m_source = Source::X11Polling;
    }
}

void GlobalKeyMonitor::Stop() {
    m_nodes.clear();
    m_pollTimer.stop();
    m_source = Source::None;
}

void GlobalKeyMonitor::WatchFileDescriptor(int fd) {
    auto node = std::make_unique<Node>();
    node->fd = fd;
    node->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    Node* raw = node.get();
    connect(node->notifier.get(), &QSocketNotifier::activated, this, [this, raw] { ReadNode(*raw); });
    m_nodes.push_back(std::move(node));
    m_pollTimer.stop();
    m_source = Source::InputEvents;
}

void GlobalKeyMonitor::ReadNode(Node& node) {
    std::vector<std::uint8_t> pressed;
    const bool alive = node.reader.ReadAvailable(node.fd, pressed);
    if (!alive) {
        // The keyboard went away; stop watching so the notifier does not spin.
        node.notifier->setEnabled(false);
    }
    for (const auto virtualKey : pressed) {
        emit keyPressed(virtualKey);
    }
}

void GlobalKeyMonitor::PollX11() {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) {
        return;
    }
    xcb_query_keymap_reply_t* reply =
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
    if (reply == nullptr) {
        return;
    }
    std::array<std::uint8_t, 32> keymap{};
    std::copy(std::begin(reply->keys), std::end(reply->keys), keymap.begin());
    std::free(reply);
    // The first query only learns which keys are already held.
    if (m_havePolled) {
        for (int keycode = kX11KeycodeOffset; keycode < 256; ++keycode) {
            const std::uint8_t bit = static_cast<std::uint8_t>(1u << (keycode % 8));
            const bool down = (keymap[keycode / 8] & bit) != 0;
            const bool wasDown = (m_lastKeymap[keycode / 8] & bit) != 0;
            if (down && !wasDown) {
                if (const auto virtualKey = VirtualKeyFromInputCode(static_cast<std::uint16_t>(keycode - kX11KeycodeOffset))) {
                    emit keyPressed(*virtualKey);
                }
            }
        }
    }
    m_lastKeymap = keymap;
    m_havePolled = true;
}

}  // namespace solvane
