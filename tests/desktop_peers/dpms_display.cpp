// Loaded into the XFCE power manager under test (LD_PRELOAD): a display
// that manages its power as a real monitor's does. Xvfb has no DPMS, and
// xfce4-power-manager 4.18 then reads settings it never loaded when an
// inhibitor is released, and crashes. The state lives here; nothing is
// asked of the X server.
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace {
BOOL enabled = True;
CARD16 level = DPMSModeOn;
CARD16 standby = 600, suspend = 900, off = 1200;
}  // namespace

extern "C" {

Bool DPMSCapable(Display*) { return True; }

Status DPMSInfo(Display*, CARD16* powerLevel, BOOL* state) {
    *powerLevel = level;
    *state = enabled;
    return 1;
}

Status DPMSEnable(Display*) {
    enabled = True;
    return 1;
}

Status DPMSDisable(Display*) {
    enabled = False;
    return 1;
}

Status DPMSForceLevel(Display*, CARD16 newLevel) {
    level = newLevel;
    return 1;
}

Bool DPMSGetTimeouts(Display*, CARD16* standbyAfter, CARD16* suspendAfter, CARD16* offAfter) {
    *standbyAfter = standby;
    *suspendAfter = suspend;
    *offAfter = off;
    return True;
}

Status DPMSSetTimeouts(Display*, CARD16 standbyAfter, CARD16 suspendAfter, CARD16 offAfter) {
    standby = standbyAfter;
    suspend = suspendAfter;
    off = offAfter;
    return 1;
}
}
