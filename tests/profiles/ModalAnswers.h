#pragma once

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <ostream>
#include <vector>

namespace solvane::testing {

// What a message box, file dialog or menu showed when it opened.
struct ShownWindow {
    QString kind;       // "message", "file", "menu"
    QString caption;    // the window title, or a menu's title
    QString text;       // a message box's text, a file dialog's folder
    QStringList items;  // a message box's buttons, a file dialog's filters, a menu's items

    friend bool operator==(const ShownWindow&, const ShownWindow&) = default;
    friend void PrintTo(const ShownWindow& shown, std::ostream* out) {
        *out << shown.kind.toStdString() << " \"" << shown.caption.toStdString() << "\" \""
             << shown.text.toStdString() << "\" [" << shown.items.join(", ").toStdString() << "]";
    }
};

// Answers the message boxes, file dialogs and menus that open while a test drives a window,
// one queued answer each, in order, and keeps what each showed. A window that opens without
// an answer waiting is closed as Escape would, so a test never hangs on it.
class ModalAnswers {
public:
    using Answer = std::function<void(QWidget*)>;

    ModalAnswers() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    void Then(Answer answer) { m_answers.push_back(std::move(answer)); }
    const std::vector<ShownWindow>& shown() const { return m_shown; }
    std::size_t unanswered() const { return m_answers.size(); }
    void Clear() {
        m_shown.clear();
        m_answers.clear();
    }

    // Presses a message box's button.
    static Answer Press(QMessageBox::StandardButton button) {
        return [button](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (box == nullptr || box->button(button) == nullptr) {
                ADD_FAILURE() << "expected a message box with that button";
                Dismiss(window);
                return;
            }
            box->button(button)->click();
        };
    }

    // Chooses `file` in a file dialog and confirms it.
    static Answer Choose(const std::filesystem::path& file) {
        return [file](QWidget* window) {
            auto* dialog = qobject_cast<QFileDialog*>(window);
            if (dialog == nullptr) {
                ADD_FAILURE() << "expected a file dialog";
                Dismiss(window);
                return;
            }
            dialog->selectFile(QString::fromStdU16String(file.u16string()));
            QMetaObject::invokeMethod(dialog, "accept");
        };
    }

    static Answer Cancel() {
        return [](QWidget* window) { Dismiss(window); };
    }

    // Chooses the menu item of that text.
    static Answer Pick(const QString& text) {
        return [text](QWidget* window) {
            auto* menu = qobject_cast<QMenu*>(window);
            QAction* wanted = nullptr;
            for (QAction* action : menu != nullptr ? menu->actions() : QList<QAction*>{}) {
                if (action->text() == text) {
                    wanted = action;
                }
            }
            if (wanted == nullptr) {
                ADD_FAILURE() << "expected a menu with " << text.toStdString();
                Dismiss(window);
                return;
            }
            menu->setActiveAction(wanted);
            QTest::keyClick(menu, Qt::Key_Return);
        };
    }

private:
    static void Dismiss(QWidget* window) {
        if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        } else {
            window->close();
        }
    }

    static ShownWindow Describe(QWidget* window) {
        ShownWindow shown;
        shown.caption = window->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(window)) {
            shown.kind = QStringLiteral("message");
            shown.text = box->text();
            for (QAbstractButton* button : box->buttons()) {
                shown.items << QMessageBox::staticMetaObject.enumerator(
                                   QMessageBox::staticMetaObject.indexOfEnumerator("StandardButton"))
                                   .valueToKey(box->standardButton(button));
            }
        } else if (auto* dialog = qobject_cast<QFileDialog*>(window)) {
            shown.kind = QStringLiteral("file");
            shown.text = dialog->directory().absolutePath();
            shown.items = dialog->nameFilters();
        } else if (auto* menu = qobject_cast<QMenu*>(window)) {
            shown.kind = QStringLiteral("menu");
            shown.caption = menu->title();
            for (const QAction* action : menu->actions()) {
                shown.items << action->text();
            }
        }
        return shown;
    }

    bool Seen(const QWidget* window) const {
        for (const QPointer<QWidget>& seen : m_seen) {
            if (seen == window) {
                return true;
            }
        }
        return false;
    }

    void Poll() {
        QWidget* window = QApplication::activePopupWidget();
        if (window == nullptr) {
            window = QApplication::activeModalWidget();
        }
        if (window == nullptr || !window->isVisible() || Seen(window)) {
            return;
        }
        m_seen.emplace_back(window);
        m_shown.push_back(Describe(window));
        if (m_answers.empty()) {
            Dismiss(window);
            return;
        }
        Answer answer = std::move(m_answers.front());
        m_answers.pop_front();
        answer(window);
    }

    QTimer m_timer;
    std::deque<Answer> m_answers;
    std::vector<ShownWindow> m_shown;
    std::vector<QPointer<QWidget>> m_seen;
};

}  // namespace solvane::testing
