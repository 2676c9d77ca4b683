#include "app/BackgroundTransfer.h"

#include <QMetaObject>

#include <algorithm>

namespace solvane {

BackgroundTransfer::BackgroundTransfer(QObject* parent) : QObject(parent) {
    qRegisterMetaType<solvane::Status>("solvane::Status");
}

BackgroundTransfer::~BackgroundTransfer() { Join(); }

bool BackgroundTransfer::Start(std::function<Status(const PauseFunction& pause)> work,
                               int expectedPauseMs) {
    if (m_running.exchange(true)) {
        return false;
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_pausedMs = 0;
    m_expectedPauseMs = expectedPauseMs;
    m_thread = std::thread([this, work = std::move(work)] {
        const PauseFunction pause = [this](int ms) {
            SleepPause(ms);
            m_pausedMs += ms;
        };
        const Status status = work(pause);
        QMetaObject::invokeMethod(
            this,
            [this, status] {
                m_running = false;
                emit finished(status);
            },
            Qt::QueuedConnection);
    });
    return true;
}

double BackgroundTransfer::progress() const {
    if (m_expectedPauseMs <= 0) {
        return 0.0;
    }
    return std::clamp(static_cast<double>(m_pausedMs.load()) / m_expectedPauseMs, 0.0, 1.0);
}

void BackgroundTransfer::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

}  // namespace solvane
