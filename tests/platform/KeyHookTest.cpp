#include <gtest/gtest.h>

#include <QtGui/QKeyEvent>
#include <QtTest/QTest>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

#include <memory>
#include <vector>

#include "controls/WindowMessages.h"
#include "platform/KeyHook.h"
#include "support/QtTestApplication.h"

namespace solvane {
namespace {

struct HookKey {
    qint64 virtualKey;
    bool release;
    friend bool operator==(const HookKey&, const HookKey&) = default;
};

std::ostream& operator<<(std::ostream& out, const HookKey& key) {
    return out << "{" << key.virtualKey << (key.release ? ", release}" : ", press}");
}

// A window with an edit that keeps the WM_HOOK_KEY messages it receives.
class HookHolder : public QWidget {
public:
    HookHolder() : edit(new QLineEdit(this)) { resize(200, 60); }

    std::vector<HookKey> keys;
    QLineEdit* edit;

protected:
    bool event(QEvent* event) override {
        if (const WindowMessage* message = WindowMessage::From(event);
            message != nullptr && message->Message() == WM_HOOK_KEY) {
            keys.push_back({message->WParam(), (message->LParam() & kHookKeyReleaseBit) != 0});
            return true;
        }
        return QWidget::event(event);
    }
};

// Makes the application before the fixture's widgets.
struct WithApplication {
    WithApplication() { testing::TestApplication(); }
};

class KeyHookTest : public ::testing::Test, private WithApplication {
protected:

    // One key action as the window system delivers it to the focused widget.
    static void Send(QWidget* to, QEvent::Type type, int key, const QString& text,
                     bool autoRepeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
        QCoreApplication::sendEvent(to, &event);
    }
    void Keystroke(QWidget* to, int key, const QString& text, int repeats) {
        Send(to, QEvent::KeyPress, key, text);
        for (int i = 0; i < repeats; ++i) {
            Send(to, QEvent::KeyPress, key, text, true);
        }
        Send(to, QEvent::KeyRelease, key, text);
    }

    KeyHook hook;
    HookHolder holder;
};

TEST_F(KeyHookTest, OneMessagePerKeystrokeByDefault) {
    ASSERT_TRUE(hook.installhook(&holder, false));
    Keystroke(holder.edit, Qt::Key_A, QStringLiteral("a"), 3);
    Keystroke(holder.edit, Qt::Key_B, QStringLiteral("b"), 0);
    EXPECT_EQ(holder.keys, (std::vector<HookKey>{{0x41, false}, {0x42, false}}));
    EXPECT_EQ(holder.edit->text(), QString()) << "the keys were taken from the widgets";
}

TEST_F(KeyHookTest, EveryPressRepeatAndReleaseWhenAsked) {
    ASSERT_TRUE(hook.installhook(&holder, true));
    Keystroke(holder.edit, Qt::Key_A, QStringLiteral("a"), 2);
    EXPECT_EQ(holder.keys,
              (std::vector<HookKey>{{0x41, false}, {0x41, false}, {0x41, false}, {0x41, true}}));
    EXPECT_EQ(holder.edit->text(), QString());
}

TEST_F(KeyHookTest, KeysWithoutACodeAreTakenButNotReported) {
    ASSERT_TRUE(hook.installhook(&holder, true));
    Keystroke(holder.edit, Qt::Key_unknown, QStringLiteral("x"), 0);
    EXPECT_TRUE(holder.keys.empty());
    EXPECT_EQ(holder.edit->text(), QString());
}

TEST_F(KeyHookTest, ShortcutsDoNotFireWhileInstalled) {
    ASSERT_TRUE(hook.installhook(&holder, false));
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Q, Qt::ControlModifier);
    override.ignore();
    QCoreApplication::sendEvent(holder.edit, &override);
    EXPECT_TRUE(override.isAccepted()) << "an accepted override keeps shortcuts from firing";
}

TEST_F(KeyHookTest, OneHolderAtATimeAndKeysComeBackAfterRemoval) {
    HookHolder other;
    ASSERT_TRUE(hook.installhook(&holder, false));
    EXPECT_FALSE(hook.installhook(&other, true));
    EXPECT_EQ(hook.Holder(), &holder);
    hook.removehook();
    EXPECT_FALSE(hook.IsInstalled());
    Keystroke(holder.edit, Qt::Key_A, QStringLiteral("a"), 0);
    EXPECT_TRUE(holder.keys.empty());
    EXPECT_EQ(holder.edit->text(), QStringLiteral("a"));
    EXPECT_TRUE(hook.installhook(&other, true));
}

TEST_F(KeyHookTest, AHolderThatGoesAwayFreesTheHook) {
    auto gone = std::make_unique<HookHolder>();
    ASSERT_TRUE(hook.installhook(gone.get(), false));
    gone.reset();
    Keystroke(holder.edit, Qt::Key_A, QStringLiteral("a"), 0);
    EXPECT_EQ(holder.edit->text(), QStringLiteral("a"));
    EXPECT_TRUE(hook.installhook(&holder, false));
}

TEST_F(KeyHookTest, AModalWindowOpenedOverTheHolderKeepsItsKeys) {
    holder.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&holder));
    ASSERT_TRUE(hook.installhook(&holder, false));
    QDialog chooser(&holder);
    auto* name = new QLineEdit(&chooser);
    (new QVBoxLayout(&chooser))->addWidget(name);
    chooser.setModal(true);
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    Keystroke(name, Qt::Key_A, QStringLiteral("a"), 0);
    EXPECT_EQ(name->text(), QStringLiteral("a"));
    EXPECT_TRUE(holder.keys.empty());
    chooser.hide();
    Keystroke(holder.edit, Qt::Key_B, QStringLiteral("b"), 0);
    EXPECT_EQ(holder.keys, (std::vector<HookKey>{{0x42, false}}));
}

}  // namespace
}  // namespace solvane
