#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QRegion>
#include <QPushButton>

#include "core/scheduler/scheduled_task_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "gui/gui_harness.h"
#include "gui/main_window/kitt_scanner_view.h"

namespace syncward::testing {
namespace {

QString background(QWidget* widget) { return widget->palette().color(widget->backgroundRole()).name(); }

TEST(HeartbeatView, TheButtonRunsTheScannerAndTheLightsShowTheKeys) {
    GuiHarness h;
    h.fake.store.put("BTC1", "HEARTBEAT_COUNTDOWN_TIME_TEXTBOX", "00:00:01");
    h.fake.lockKeys.on[LockKey::Num] = true;
    h.fake.lockKeys.on[LockKey::Scroll] = true;
    Application& app = h.start();
    MainWindow& w = app.main();
    auto* button = h.widget<QPushButton>(w, "KITT_START_BUTTON");
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(button->text(), "STOP KITT");
    // Mid-sweep, with the pair of presses under way.
    GuiHarness::pump(1000 + 750 + 300);
    EXPECT_EQ(h.widget<QLabel>(w, "VERT_NUM_LIGHT_LABEL")->text(), "N");
    EXPECT_EQ(h.widget<QLabel>(w, "VERT_CAPS_LIGHT_LABEL")->toolTip(), "CAPS LOCK = OFF");
    EXPECT_EQ(background(h.widget<QLabel>(w, "VERT_SCROLL_LIGHT_LABEL")), "#00ff00");
    // The lamps as drawn: past the first sweep, one red at most, the rest
    // black, each as its lamp in the model says.
    auto* scanner = h.widget<KittScannerView>(w, "KITT_BACKGROUND_LABEL");
    ASSERT_NE(scanner, nullptr);
    const QImage drawn = scanner->grab().toImage();
    int lit = 0;
    for (int n = 1; n <= MainWindow::kittLabelCount; ++n) {
        const QString lamp = drawn.pixelColor(scanner->lampRect(n).center()).name();
        EXPECT_TRUE(lamp == "#ff0000" || lamp == "#000000") << n << " " << lamp.toStdString();
        const Colour model = w.kittLabel(n).background();
        EXPECT_EQ(lamp, QColor(model.red(), model.green(), model.blue()).name()) << n;
        lit += lamp == "#ff0000" ? 1 : 0;
    }
    EXPECT_LE(lit, 1);
    h.view(w)->grab().save(GuiHarness::screenshotPath("main_window_heartbeat.png"));
    button->click();
    EXPECT_EQ(button->text(), "START KITT");
    // However far the pair had come, Num Lock is as it was found.
    EXPECT_TRUE(h.fake.lockKeys.on[LockKey::Num]);
    EXPECT_EQ(h.fake.lockKeys.presses.size() % 2, 0u);
}

// A step of the scanner repaints the two lamps it changed, in the one
// widget that draws them all, and nothing else of the window.
TEST(HeartbeatView, AScannerStepRepaintsOnlyTheLampsItChanged) {
    GuiHarness h;
    Application& app = h.start();
    MainWindow& w = app.main();
    auto* scanner = h.widget<KittScannerView>(w, "KITT_BACKGROUND_LABEL");
    ASSERT_NE(scanner, nullptr);
    // Mid-sweep: lamp 1 lit, the rest dark.
    for (int n = 2; n <= MainWindow::kittLabelCount; ++n) w.kittLabel(n).setBackground(colours::black);
    GuiHarness::pump(250);  // the lock-key lights' first look, too
    // What else was painted over the scanner's place in the window: the
    // group and the window behind it would be painted were it not opaque.
    struct Paints : QObject {
        QRegion painted;
        QStringList behind;
        QWidget* scanner = nullptr;
        QWidget* window = nullptr;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() != QEvent::Paint) return false;
            const QRegion region = static_cast<QPaintEvent*>(event)->region();
            auto* widget = static_cast<QWidget*>(watched);
            if (widget == scanner) {
                painted += region;
            } else {
                const QRect place(scanner->mapTo(window, QPoint(0, 0)), scanner->size());
                const QPoint at = widget == window ? QPoint(0, 0) : widget->mapTo(window, QPoint(0, 0));
                if (region.translated(at).intersects(place))
                    behind << widget->objectName() + "/" + widget->metaObject()->className();
            }
            return false;
        }
    } paints;
    paints.scanner = scanner;
    paints.window = h.view(w);
    for (QWidget* widget : h.view(w)->findChildren<QWidget*>()) widget->installEventFilter(&paints);
    h.view(w)->installEventFilter(&paints);

    // Step 2 of a sweep: lamp 2 lights, lamp 1 goes dark.
    w.kittLabel(1).setBackground(colours::black);
    w.kittLabel(2).setBackground(colours::red);
    w.kittLabel(5).setBackground(colours::black);  // already dark: nothing to draw
    GuiHarness::pump(100);
    EXPECT_TRUE(paints.behind.isEmpty()) << paints.behind.join(", ").toStdString();
    EXPECT_EQ(paints.painted, QRegion(scanner->lampRect(1)) + QRegion(scanner->lampRect(2)));
    EXPECT_EQ(scanner->lampColour(1), QColor(Qt::black));
    EXPECT_EQ(scanner->lampColour(2), QColor(Qt::red));
}

// A Wayland session or no display: the row of lock-key lights says that
// there are none to show rather than showing three dead lamps.
TEST(HeartbeatView, WithoutLockKeysTheLightsRowSaysSo) {
    GuiHarness h;
    h.fake.lockKeys.isAvailable = false;
    Application& app = h.start();
    MainWindow& w = app.main();
    GuiHarness::pump(300);
    QString row;
    for (const char* light : {"VERT_NUM_LIGHT_LABEL", "VERT_CAPS_LIGHT_LABEL", "VERT_SCROLL_LIGHT_LABEL"})
        row += h.widget<QLabel>(w, light)->text() + " ";
    EXPECT_EQ(row.trimmed(), "NO LOCK KEYS");
    h.view(w)->grab().save(GuiHarness::screenshotPath("main_window_no_lock_keys.png"));
}

TEST(ScheduledTaskView, OpensFromTheMainSettingsAndShowsTheCommand) {
    GuiHarness h;
    h.fake.store.put("BTC1", "SYNCWARD_HOME_TEXTBOX", "C:\\QUORVEL-ROOT\\SYNCWARD");
    Application& app = h.start();
    app.settingsWindows().openMainSettings();
    MainSettingsWindow& settings = app.settingsWindows().mainSettings();
    auto* open = h.widget<QPushButton>(settings, "SCHEDULER_BUTTON");
    ASSERT_TRUE(open->isEnabled());
    open->click();
    ScheduledTaskWindow& win = app.settingsWindows().scheduledTask();
    QWidget* view = h.view(win);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowModality(), Qt::WindowModal);
    EXPECT_FALSE(h.widget<QPushButton>(win, "CREATE_TASK_BUTTON")->isEnabled());

    h.widget<QCheckBox>(win, "MON_TICKBOX")->click();
    EXPECT_FALSE(h.widget<QCheckBox>(win, "SELECT_ALL_DAYS_TICKBOX")->isEnabled());
    GuiHarness::typeInto(h.widget<QLineEdit>(win, "TASK_RUN_TIME_TEXTBOX"), "03:30");
    h.widget<QPushButton>(win, "CREATE_TASK_BUTTON")->click();
    EXPECT_EQ(h.widget<QLineEdit>(win, "OUTPUT_COMMAND_TEXTBOX")->text().toStdString(),
              "SchTasks /Create /SC WEEKLY /D MON /TN \"SYNCWARD - BTC1\" /TR "
              "\"C:\\QUORVEL-ROOT\\SYNCWARD\\BTC1.exe\" /ST 03:30");
    EXPECT_TRUE(h.widget<QCheckBox>(win, "ENABLE_SCHED_TASK_TICKBOX")->isChecked());
    EXPECT_EQ(h.widget<QLabel>(win, "SCHEDULER_STATUS_LABEL")->text(), "!!! TASK CREATED !!!");
    view->grab().save(GuiHarness::screenshotPath("scheduled_task_window.png"));
}

}  // namespace
}  // namespace syncward::testing
