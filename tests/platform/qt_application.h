#pragma once

#include <QCoreApplication>

namespace syncward::testing {

// QtDBus runs its connections from the application's event machinery, so a
// test that talks to a bus needs an application object, made once.
inline void ensureQtApplication() {
    static int argc = 1;
    static char name[] = "syncward-tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) static QCoreApplication app(argc, argv);
}

}  // namespace syncward::testing
