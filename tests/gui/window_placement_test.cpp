#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

TEST(WindowPlacement, TwipsAndPixelsConvertInFullAndStopAtTheEndsOfTheNumberRange) {
    QWidget widget;
    const std::int64_t dpi = widget.logicalDpiX();
    ASSERT_LT(dpi, 1440) << "a pixel is larger than a twip on every screen this runs on";
    EXPECT_EQ(twipsToPixels(1440, widget), dpi);
    EXPECT_EQ(pixelsToTwips(static_cast<int>(dpi), widget), 1440);
    // Past about 22 million twips the product no longer fits an int.
    EXPECT_EQ(twipsToPixels(30'000'000, widget), 30'000'000 * dpi / 1440);
    EXPECT_EQ(twipsToPixels(-30'000'000, widget), -30'000'000 * dpi / 1440);
    EXPECT_EQ(twipsToPixels(INT_MAX, widget), INT_MAX * dpi / 1440);
    EXPECT_EQ(pixelsToTwips(3'000'000, widget), std::int64_t{3'000'000} * 1440 / dpi);
    EXPECT_EQ(pixelsToTwips(INT_MAX, widget), INT_MAX);
    EXPECT_EQ(pixelsToTwips(INT_MIN, widget), INT_MIN);
}

// A place stored while another screen was attached, or typed into the
// settings file, must not open the window where nobody can reach it.
TEST(WindowPlacement, AWindowStoredOffEveryScreenOpensOnThePrimaryScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        const char* what;
        int left, top;
    };
    for (const Case& c : {Case{"far right", 300'000, 1440}, Case{"far left and up", -30'000'000, -30'000'000},
                          Case{"at the ends of the range", INT_MAX, INT_MIN}, Case{"just below", 0, 40'000}}) {
        GuiHarness h;
        h.fake.store.put("BTC1", "MAIN-Left", std::to_string(c.left));
        h.fake.store.put("BTC1", "MAIN-Top", std::to_string(c.top));
        h.start();
        QWidget* view = h.view(h.app->main());
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(screen.contains(view->pos())) << c.what << ": at " << view->x() << "," << view->y();
        // What is stored on close is the reachable place.
        h.view(h.app->main())->close();
        const int storedLeft = std::stoi(h.fake.store.stored("BTC1", "MAIN-Left").value_or("0"));
        const int storedTop = std::stoi(h.fake.store.stored("BTC1", "MAIN-Top").value_or("0"));
        EXPECT_TRUE(screen.contains(twipsToPixels(storedLeft, *view), twipsToPixels(storedTop, *view)))
            << c.what << ": stored " << storedLeft << "," << storedTop;
    }

    // A window partly on the screen stays where it was put.
    GuiHarness h;
    h.fake.store.put("BTC1", "MAIN-Left", "-7200");
    h.fake.store.put("BTC1", "MAIN-Top", "1440");
    h.start();
    QWidget* view = h.view(h.app->main());
    EXPECT_EQ(view->pos(), QPoint(-5 * view->logicalDpiX(), view->logicalDpiY()));
}

// A size typed into the settings file, however large, opens a window no
// larger than the screen (2,000,000 twips asked the window system for an
// image of gigabytes and ended the program offscreen).
TEST(WindowPlacement, AHugeStoredSizeOpensAWindowNoLargerThanTheScreen) {
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    ASSERT_EQ(screen, QSize(1366, 768)) << "the tests' offscreen screen (gui_test_main.cpp)";
    for (const char* size : {"2000000", "2147483647", "-2000000"}) {
        GuiHarness h;
        h.fake.store.put("BTC1", "MAIN-Width", size);
        h.fake.store.put("BTC1", "MAIN-Height", size);
        h.fake.store.put("BTC1", "MAIN_SETTINGS-Width", size);
        h.fake.store.put("BTC1", "MAIN_SETTINGS-Height", size);
        h.start();
        h.app->settingsWindows().openMainSettings();
        for (Form* form : std::vector<Form*>{&h.app->main(), &h.app->settingsWindows().mainSettings()}) {
            QWidget* view = h.view(*form);
            ASSERT_NE(view, nullptr);
            GuiHarness::pump(20);
            EXPECT_LE(view->width(), std::max(screen.width(), view->minimumSizeHint().width())) << size;
            EXPECT_LE(view->height(), std::max(screen.height(), view->minimumSizeHint().height())) << size;
            EXPECT_FALSE(view->grab().isNull()) << size;
        }
    }
}

}  // namespace
}  // namespace syncward::testing
