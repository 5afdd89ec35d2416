#include <QApplication>

#include "core/app/application.h"
#include "gui/posix_platform.h"
#include "gui/shell/qt_window_host.h"
#include "gui/views.h"

int main(int argc, char* argv[]) {
    syncward::PosixPlatform::keepCreatedFilesPrivate();

    QApplication qtApp(argc, argv);
    syncward::PosixPlatform posix(argc > 0 ? argv[0] : "syncward");
    syncward::registerViews(posix.windowHost());
    syncward::Application app(posix.platform());
    app.start();
    return qtApp.exec();
}
