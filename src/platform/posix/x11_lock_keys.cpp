#include "platform/posix/x11_lock_keys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace syncward {

namespace {

KeySym keySymOf(LockKey key) {
    switch (key) {
        case LockKey::Num: return XK_Num_Lock;
        case LockKey::Caps: return XK_Caps_Lock;
        case LockKey::Scroll: return XK_Scroll_Lock;
    }
    return NoSymbol;
}

const char* indicatorOf(LockKey key) {
    switch (key) {
        case LockKey::Num: return "Num Lock";
        case LockKey::Caps: return "Caps Lock";
        case LockKey::Scroll: return "Scroll Lock";
    }
    return "";
}

// Whether the key is down right now: a key held down counts as on.
bool isDown(Display* display, KeySym sym) {
    const KeyCode code = XKeysymToKeycode(display, sym);
    if (code == 0) return false;
    char keys[32] = {};
    XQueryKeymap(display, keys);
    return (keys[code / 8] >> (code % 8)) & 1;
}

}  // namespace

X11LockKeys::X11LockKeys(const std::string& displayName) {
    if (displayName.empty()) return;
    display_ = XOpenDisplay(displayName.c_str());
    if (!display_) return;
    int event = 0, error = 0, major = 0, minor = 0;
    int xkbOpcode = 0, xkbEvent = 0, xkbError = 0, xkbMajor = XkbMajorVersion, xkbMinor = XkbMinorVersion;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor) ||
        !XkbQueryExtension(display_, &xkbOpcode, &xkbEvent, &xkbError, &xkbMajor, &xkbMinor)) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

X11LockKeys::~X11LockKeys() {
    if (display_) XCloseDisplay(display_);
}

void X11LockKeys::press(LockKey key) {
    if (!display_) return;
    const KeyCode code = XKeysymToKeycode(display_, keySymOf(key));
    if (code == 0) return;
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
}

std::optional<bool> X11LockKeys::isOn(LockKey key) {
    if (!display_) return std::nullopt;
    if (isDown(display_, keySymOf(key))) return true;
    // The key's modifier, where it has one (Num Lock, Caps Lock).
    const unsigned int mask = key == LockKey::Caps ? LockMask : XkbKeysymToModifiers(display_, keySymOf(key));
    if (mask != 0) {
        XkbStateRec state{};
        if (XkbGetState(display_, XkbUseCoreKbd, &state) != Success) return std::nullopt;
        return (state.locked_mods & mask) != 0;
    }
    // Scroll Lock usually has no modifier, only its light.
    const Atom name = XInternAtom(display_, indicatorOf(key), True);
    Bool on = False;
    if (name == None || !XkbGetNamedIndicator(display_, name, nullptr, &on, nullptr, nullptr)) return false;
    return on == True;
}

}  // namespace syncward
