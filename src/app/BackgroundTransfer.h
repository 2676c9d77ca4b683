#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

#include "common/Result.h"
#include "link/Pause.h"

namespace solvane {

// Runs one keyboard transfer off the window thread, so the window keeps painting while the
// protocol's pauses pass, and reports on the window thread when it is done.
class BackgroundTransfer : public QObject {
    Q_OBJECT

public:
    explicit BackgroundTransfer(QObject* parent = nullptr);
    ~BackgroundTransfer() override;

    // `work` runs on a new thread with a pause function that also counts the time paused, so
    // the view can show how far the transfer is. Whatever `work` filled is handed over when
    // `finished` arrives on the window thread; the worker has ended by then and touches nothing
    // more. Returns false while another transfer runs.
    bool Start(std::function<Status(const PauseFunction& pause)> work, int expectedPauseMs);
    bool isRunning() const { return m_running.load(); }

    // Paused so far against what the transfer is expected to pause in all, 0..1.
    double progress() const;

    // Waits for a running transfer to end (used on exit); its result is dropped.
    void Join();

signals:
    void finished(solvane::Status status);

private:
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<int> m_pausedMs{0};
    int m_expectedPauseMs = 0;
};

}  // namespace solvane
