#include "app/SplashScreen.h"

#include <QPainter>
#include <QScreen>

namespace solvane {

CSplashScreen::CSplashScreen(const std::filesystem::path& image, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    m_image.load(QString::fromStdString(image.string()));
    setFixedSize(m_image.size());
    if (const QScreen* screen = this->screen()) {
        move(screen->geometry().center() - rect().center());
    }
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CSplashScreen::Tick);
    m_timer.start();
}

void CSplashScreen::Tick() {
    if (m_ticks > kLastTick) {
        m_timer.stop();
        accept();
    }
    ++m_ticks;
}

void CSplashScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

}  // namespace solvane
