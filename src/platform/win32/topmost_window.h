#pragma once

#include <cstdint>

namespace syncward {

// Keeps window (an HWND, given as a number so that callers need no
// <windows.h>) above every other window. A window of another program that
// is itself topmost would stay above it, so the window in front, when it
// is another, first loses its topmost place. Neither window is moved,
// resized or activated.
void takeTopmostFromForeground(std::uintptr_t window);
// The window that has the user's focus, of whichever program; 0 for none.
std::uintptr_t foregroundWindow();

}  // namespace syncward
