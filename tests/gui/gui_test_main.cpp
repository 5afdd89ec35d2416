#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryFile>

// The views need one QApplication for the whole test program. It runs
// offscreen on one screen of a common small laptop, 1366 x 768 at 96 dpi:
// a window must open whole on it (the host never opens one larger than a
// screen), and every window is measured there.
int main(int argc, char** argv) {
    // In the working folder, named relative to it: Qt splits the platform's
    // options at colons, and a Windows path has one after its drive letter.
    QTemporaryFile screens(QStringLiteral("gui-screens-XXXXXX.json"));
    if (!screens.open()) return 2;
    screens.write(R"({"synchronousWindowSystemEvents": false, "windowFrameMargins": true, "screens": [)"
                  R"({"name": "Laptop", "x": 0, "y": 0, "width": 1366, "height": 768,)"
                  R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.close();
    const QString config = QDir::current().relativeFilePath(screens.fileName());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
