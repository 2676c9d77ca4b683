#pragma once

#include <QtCore/QCoreApplication>
#include <QtWidgets/QApplication>

namespace solvane::testing {

// The one QApplication of a widget test program, made on first use. It lives until the
// process ends, as Qt expects of its application object. Without a platform named in the
// environment it uses the offscreen one, so no test needs a display.
inline QApplication& TestApplication() {
    if (auto* running = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *running;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "solvane-widget-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

}  // namespace solvane::testing
