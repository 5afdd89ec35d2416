#pragma once

namespace syncward {

// Whether a window could be shown now on the display the environment
// names: the X display of DISPLAY (its authority included) when it is set,
// otherwise the Wayland socket of WAYLAND_DISPLAY. A scheduled start keeps
// the display it was set up with, which may be gone by the time it runs;
// the toolkit would end the program there instead of running offscreen.
bool displayOpens();

}  // namespace syncward
