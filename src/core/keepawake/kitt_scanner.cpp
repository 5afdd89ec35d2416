#include "core/keepawake/kitt_scanner.h"

#include <array>

#include "core/state/main_window.h"

namespace syncward {

namespace {

// For each step: the lamp it lights and the lamp it darkens (0 = none).
struct ScannerStep {
    int red;
    int black;
};
constexpr std::array<ScannerStep, MainWindow::kittTimerCount> steps = {{
    {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6}, {0, 7},
    {7, 0}, {6, 7}, {5, 6}, {4, 5}, {3, 4}, {2, 3}, {1, 2}, {0, 1},
}};

}  // namespace

void installKittScanner(MainWindow& w) {
    for (int n = 1; n <= MainWindow::kittTimerCount; ++n) {
        w.kittTimer(n).onTick.connect([&w, n] {
            const ScannerStep& step = steps[n - 1];
            if (step.red) w.kittLabel(step.red).setBackground(colours::red);
            if (step.black) w.kittLabel(step.black).setBackground(colours::black);
            w.kittTimer(n).handOverTo(w.kittTimer(n % MainWindow::kittTimerCount + 1));
        });
    }
}

void stopKittScanner(MainWindow& w) {
    for (int n = 1; n <= MainWindow::kittTimerCount; ++n) w.kittTimer(n).stop();
}

}  // namespace syncward
