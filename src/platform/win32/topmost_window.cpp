#include "platform/win32/topmost_window.h"

#include <windows.h>

namespace syncward {

std::uintptr_t foregroundWindow() { return reinterpret_cast<std::uintptr_t>(::GetForegroundWindow()); }

void takeTopmostFromForeground(std::uintptr_t window) {
    const HWND own = reinterpret_cast<HWND>(window);
    if (!own) return;
    constexpr UINT inPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    const HWND front = ::GetForegroundWindow();
    if (front && front != own) ::SetWindowPos(front, HWND_NOTOPMOST, 0, 0, 0, 0, inPlace);
    ::SetWindowPos(own, HWND_TOPMOST, 0, 0, 0, 0, inPlace);
}

}  // namespace syncward
