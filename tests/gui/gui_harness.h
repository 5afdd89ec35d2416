#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QString>
#include <QWidget>
#include <memory>

#include "core/run/application.h"
#include "gui/shell/qt_event_loop.h"
#include "gui/shell/qt_window_host.h"
#include "gui/views.h"
#include "support/fake_platform.h"

namespace syncward::testing {

// The program with its real views, Qt timers and window host, over a fake
// store, files and processes.
struct GuiHarness {
    explicit GuiHarness(PlatformProfile profile = PlatformProfile::windows())
        : fake(std::move(profile)),
          platform(fake.with({.windows = &host, .loop = &loop, .folderMeasurer = &folderMeasurer})) {
        registerViews(host);
    }

    Application& start() {
        app = std::make_unique<Application>(platform);
        app->start();
        return *app;
    }
    ~GuiHarness() { host.deleteViews(); }
    QWidget* view(Form& form) { return host.viewOf(form); }
    template <typename W>
    W* widget(Form& form, const char* name) {
        return view(form)->findChild<W*>(name);
    }

    // Replaces a line edit's text as a user types it.
    static void typeInto(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // Lets Qt deliver timers and events for a while.
    static void pump(int ms) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    // Screenshots go into the build folder for a person to look at.
    static QString screenshotPath(const QString& name) {
        const QString base = qEnvironmentVariable("SYNCWARD_BUILD_DIR", QDir::tempPath());
        QDir().mkpath(base + "/screenshots");
        return base + "/screenshots/" + name;
    }

    FakePlatform fake;
    QtWindowHost host;
    QtEventLoop loop;
    FakeFolderMeasurer folderMeasurer{loop, fake.files};
    Platform platform;
    std::unique_ptr<Application> app;
};

}  // namespace syncward::testing
