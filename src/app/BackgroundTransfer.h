#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

#include "common/Result.h"

namespace solvane {

// Runs one keyboard transfer off the window thread, so the window keeps painting while the
// protocol's pauses pass, and reports on the window thread when it is done.
class BackgroundTransfer : public QObject {
    Q_OBJECT

public:
    explicit BackgroundTransfer(QObject* parent = nullptr);
    ~BackgroundTransfer() override;

    // `work` runs on a new thread. Whatever it filled is handed over when `finished` arrives on
    // the window thread; the worker has ended by then and touches nothing more. Returns false
    // while another transfer runs.
    bool Start(std::function<Status()> work);
    bool isRunning() const { return m_running.load(); }

    // Waits for a running transfer to end (used on exit); its result is dropped.
    void Join();

signals:
    void finished(solvane::Status status);

private:
    std::thread m_thread;
    std::atomic<bool> m_running{false};
};

}  // namespace solvane
