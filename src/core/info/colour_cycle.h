#pragma once

#include <array>
#include <functional>

#include "core/form/colour.h"
#include "core/form/timer.h"

namespace syncward {

// Five timers that hand on to each other: timer n paints the n-th colour,
// starts timer n+1 (the fifth starts the first) and stops itself, so a
// control changes colour every interval in the endless order green, red,
// cyan, magenta, yellow.
class ColourCycle {
public:
    static constexpr std::array<Colour, 5> order = {colours::green, colours::red, colours::cyan, colours::magenta,
                                                    colours::yellow};

    ColourCycle(std::array<Timer*, 5> timers, std::function<void(Colour)> paint);

    // From the first colour on: every timer stopped but the first.
    void restart();
    void stop();

private:
    std::array<Timer*, 5> timers_;
    std::function<void(Colour)> paint_;
};

}  // namespace syncward
