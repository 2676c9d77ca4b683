#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>

#include <filesystem>

namespace solvane {

// The picture shown while the main window starts: it closes itself after 52 ticks of 20 ms.
class CSplashScreen : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTickMs = 20;
    static constexpr int kLastTick = 50;  // closes on the tick after the counter passes it

    explicit CSplashScreen(const std::filesystem::path& image, QWidget* parent = nullptr);
    int ticks() const { return m_ticks; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Tick();

    QImage m_image;
    QTimer m_timer;
    int m_ticks = 0;
};

}  // namespace solvane
