#pragma once

#include <QCoreApplication>

namespace solvane::testing {

// The test program's one application object (QProcess and the timers need it), made on first use.
inline QCoreApplication& E2eApplication() {
    if (QCoreApplication* running = QCoreApplication::instance()) {
        return *running;
    }
    static int argc = 1;
    static char name[] = "solvane-e2e-tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QCoreApplication(argc, argv);
    return *application;
}

}  // namespace solvane::testing
