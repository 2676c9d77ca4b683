#pragma once

#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QWidget>

#include <functional>
#include <vector>

#include "controls/WindowMessages.h"
#include "support/QtTestApplication.h"

namespace solvane::testing {

struct ReceivedMessage {
    int message;
    qint64 wParam;
    qint64 lParam;
    QString text;
    friend bool operator==(const ReceivedMessage&, const ReceivedMessage&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const ReceivedMessage& m) {
    return out << "{" << m.message << ", " << m.wParam << ", " << m.lParam << ", \""
               << m.text.toStdString() << "\"}";
}

// Makes the application before any widget of a class that derives from it.
struct WithApplication {
    WithApplication() { TestApplication(); }
};

// A top-level window that keeps every window message it receives, and paints itself with
// `paint` when one is given (the picture a see-through child shows).
class MessageRecorder : private WithApplication, public QWidget {
public:
    explicit MessageRecorder(QSize size = {320, 320}) { resize(size); }

    std::vector<ReceivedMessage> messages;
    std::function<void(QPainter&)> paint;

    std::vector<ReceivedMessage> Of(int message) const {
        std::vector<ReceivedMessage> found;
        for (const ReceivedMessage& m : messages) {
            if (m.message == message) {
                found.push_back(m);
            }
        }
        return found;
    }

    // Shows the window, makes it active and waits until it is on screen.
    bool ShowAndWait() {
        show();
        activateWindow();
        return QTest::qWaitForWindowExposed(this) && QTest::qWaitForWindowActive(this);
    }

protected:
    bool event(QEvent* event) override {
        if (const WindowMessage* message = WindowMessage::From(event)) {
            messages.push_back({message->Message(), message->WParam(), message->LParam(),
                                message->Text()});
            return true;
        }
        return QWidget::event(event);
    }

    void paintEvent(QPaintEvent*) override {
        if (paint) {
            QPainter painter(this);
            paint(painter);
        }
    }
};

inline QColor PixelAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

inline QColor FromRgb(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

}  // namespace solvane::testing
