#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace solvane {

// Tells of every USB interface that arrives or goes away, as the window's device-change
// handling expects (it does not look at which device it was).
class UsbWatch : public QObject {
    Q_OBJECT

public:
    explicit UsbWatch(QObject* parent = nullptr);
    ~UsbWatch() override;

    // False when the system's device events cannot be watched.
    bool isWatching() const { return m_monitor != nullptr; }

signals:
    void arrived();
    void removed();

private:
    void ReadEvents();

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace solvane
