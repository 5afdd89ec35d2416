#include <sys/stat.h>

#include <QApplication>

#include "core/app/application.h"
#include "platform/posix/posix_launcher.h"
#include "gui/posix_platform.h"
#include "gui/qt_window_host.h"
#include "gui/views.h"

int main(int argc, char* argv[]) {
    // Command files, reports and the settings may hold passwords: whatever
    // the program creates is readable by its owner only. Programs it starts
    // get the user's own mask back.
    syncward::PosixLauncher::rememberUserMask(::umask(077));

    QApplication qtApp(argc, argv);
    syncward::PosixPlatform posix(argc > 0 ? argv[0] : "syncward");
    syncward::registerViews(posix.windowHost());
    syncward::Application app(posix.platform());
    app.start();
    return qtApp.exec();
}
