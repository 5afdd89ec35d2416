#include "platform/win32/win32_lock_keys.h"

#include <windows.h>

#include <iterator>

namespace syncward {

namespace {

WORD virtualKeyOf(LockKey key) {
    switch (key) {
        case LockKey::Num:
            return VK_NUMLOCK;
        case LockKey::Caps:
            return VK_CAPITAL;
        case LockKey::Scroll:
            return VK_SCROLL;
    }
    return VK_NUMLOCK;
}

INPUT keyEvent(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    // Num Lock sits on the extended part of the keyboard; without the flag
    // some keyboard layouts read the press as Pause.
    input.ki.dwFlags = flags | (key == VK_NUMLOCK ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

}  // namespace

// A service's window station, or one with nobody at it, is not visible:
// there is no keyboard to press or read.
bool Win32LockKeys::available() {
    const HWINSTA station = ::GetProcessWindowStation();
    if (!station) return false;
    USEROBJECTFLAGS flags{};
    if (!::GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr)) return false;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

void Win32LockKeys::press(LockKey key) {
    if (!available()) return;
    const WORD code = virtualKeyOf(key);
    INPUT inputs[] = {keyEvent(code, 0), keyEvent(code, KEYEVENTF_KEYUP)};
    ::SendInput(static_cast<UINT>(std::size(inputs)), inputs, sizeof(INPUT));
}

std::optional<bool> Win32LockKeys::isOn(LockKey key) {
    if (!available()) return std::nullopt;
    const SHORT state = ::GetKeyState(virtualKeyOf(key));
    // The lowest bit is the toggle; the highest a key held down, which counts as on.
    return (state & 0x0001) != 0 || (state & 0x8000) != 0;
}

}  // namespace syncward
