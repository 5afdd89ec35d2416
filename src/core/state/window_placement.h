#pragma once

namespace syncward {

// Where a window's place is stored (the prefix of its keys) and the size
// it opens with when nothing is stored, in twips.
struct WindowPlacement {
    const char* prefix;
    int defaultWidth;
    int defaultHeight;
};

}  // namespace syncward
