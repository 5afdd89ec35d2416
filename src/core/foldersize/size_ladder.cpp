#include "core/foldersize/size_ladder.h"

#include "core/foldersize/number_pattern.h"

namespace syncward {

namespace {

struct Rung {
    const char* pattern;
    const char* unit;
};

constexpr std::array<Rung, sizeLadderSteps> rungs = {{
    {"###,##0", " B  "},
    {"###,###,##0.###", " KB"},
    {"###,##0.###", " MB"},
    {"###,###,##0.###", " GB"},
    {"###,##0.###,###", " TB"},
    {"###,##0.###,###,###", " PB"},
}};

}  // namespace

std::array<std::string, sizeLadderSteps> sizeLadder(std::uint64_t bytes, const NumberSeparators& separators) {
    std::array<std::string, sizeLadderSteps> lines;
    for (int step = 0; step < sizeLadderSteps; ++step) {
        const Rung& rung = rungs[static_cast<std::size_t>(step)];
        lines[static_cast<std::size_t>(step)] =
            formatDecimal(bytes, 3 * step, NumberPattern::parse(rung.pattern), separators) + rung.unit;
    }
    return lines;
}

}  // namespace syncward
