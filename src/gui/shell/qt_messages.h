#pragma once

namespace syncward {

// Keeps standard error for what the user should read: the offscreen
// platform's notices that it cannot raise a window or pass on its size
// hints ("This plugin does not support raise()"), printed for every window
// of a headless run, are dropped; every other message of the toolkit is
// printed as before.
void keepStandardErrorForTheUser();

}  // namespace syncward
