#include "app/BackgroundTransfer.h"

#include <QMetaObject>


namespace solvane {

BackgroundTransfer::BackgroundTransfer(QObject* parent) : QObject(parent) {
    qRegisterMetaType<solvane::Status>("solvane::Status");
}

BackgroundTransfer::~BackgroundTransfer() { Join(); }

bool BackgroundTransfer::Start(std::function<Status()> work) {
    if (m_running.exchange(true)) {
        return false;
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_thread = std::thread([this, work = std::move(work)] {
        const Status status = work();
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

void BackgroundTransfer::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

}  // namespace solvane
