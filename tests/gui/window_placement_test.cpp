#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <climits>
#include <cstdint>
#include <string>

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

}  // namespace
}  // namespace syncward::testing
