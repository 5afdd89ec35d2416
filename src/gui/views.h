#pragma once

namespace syncward {

class QtWindowHost;

// Tells the window host which view shows which window model.
void registerViews(QtWindowHost& host);

}  // namespace syncward
