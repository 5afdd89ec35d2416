#include "platform/posix/x11_lock_keys.h"

#include <QMetaObject>
#include <QSocketNotifier>

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#define explicit explicit_  // a field of that name in xkb.h is a C++ keyword
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>
#include <memory>

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

// The modifier a lock key sets while locked; 0 for none (Scroll Lock, as a rule).
unsigned int modifierOf(Display* display, LockKey key) {
    return key == LockKey::Caps ? LockMask : XkbKeysymToModifiers(display, keySymOf(key));
}

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
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
        return;
    }
    xkbEventBase_ = xkbEvent;
}

X11LockKeys::~X11LockKeys() {
    watch_.reset();
    if (display_) XCloseDisplay(display_);
}

bool X11LockKeys::followChanges(std::function<void()> changed) {
    if (!display_) return true;  // no keys to read: nothing will change
    const unsigned long lockedOrHeld = XkbModifierLockMask | XkbModifierBaseMask;
    if (!XkbSelectEvents(display_, XkbUseCoreKbd, XkbIndicatorStateNotifyMask, XkbIndicatorStateNotifyMask) ||
        !XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbStateNotify, lockedOrHeld, lockedOrHeld))
        return false;
    XFlush(display_);
    changed_ = std::move(changed);
    watch_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
    QObject::connect(watch_.get(), &QSocketNotifier::activated, watch_.get(), [this] { takeEvents(); });
    return true;
}

void X11LockKeys::takeEvents() {
    bool told = false;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        told = told || event.type == xkbEventBase_;
    }
    if (told && changed_) changed_();
}

void X11LockKeys::takeQueuedEventsLater() {
    if (!watch_ || XEventsQueued(display_, QueuedAfterReading) == 0) return;
    QMetaObject::invokeMethod(watch_.get(), [this] { takeEvents(); }, Qt::QueuedConnection);
}

void X11LockKeys::press(LockKey key) {
    if (!display_) return;
    const KeyCode code = XKeysymToKeycode(display_, keySymOf(key));
    if (code == 0) return;
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
    takeQueuedEventsLater();
}

std::array<std::optional<bool>, 3> X11LockKeys::states() {
    if (!display_) return {};
    if (scrollIndicator_ < 0) {
        const Atom name = XInternAtom(display_, indicatorOf(LockKey::Scroll), True);
        int index = -1;
        if (name != None && XkbGetNamedIndicator(display_, name, &index, nullptr, nullptr, nullptr)) scrollIndicator_ = index;
    }
    // All three requests go out before the first answer is awaited.
    xcb_connection_t* connection = XGetXCBConnection(display_);
    const auto keymapAsked = xcb_query_keymap(connection);
    const auto stateAsked = xcb_xkb_get_state(connection, XCB_XKB_ID_USE_CORE_KBD);
    const auto lightsAsked = xcb_xkb_get_indicator_state(connection, XCB_XKB_ID_USE_CORE_KBD);
    const auto keymap = owned(xcb_query_keymap_reply(connection, keymapAsked, nullptr));
    const auto state = owned(xcb_xkb_get_state_reply(connection, stateAsked, nullptr));
    const auto lights = owned(xcb_xkb_get_indicator_state_reply(connection, lightsAsked, nullptr));

    std::array<std::optional<bool>, 3> result;
    for (const LockKey key : {LockKey::Num, LockKey::Caps, LockKey::Scroll}) {
        std::optional<bool>& on = result[static_cast<std::size_t>(key)];
        // A key held down counts as on.
        const KeyCode code = XKeysymToKeycode(display_, keySymOf(key));
        if (keymap && code != 0 && ((keymap->keys[code / 8] >> (code % 8)) & 1)) {
            on = true;
        } else if (const unsigned int mask = modifierOf(display_, key); mask != 0) {
            if (state) on = (state->lockedMods & mask) != 0;
        } else if (scrollIndicator_ < 0) {
            on = false;  // no modifier and no light
        } else if (lights) {
            on = ((lights->state >> scrollIndicator_) & 1) != 0;
        }
    }
    takeQueuedEventsLater();
    return result;
}

std::optional<bool> X11LockKeys::isOn(LockKey key) {
    if (!display_) return std::nullopt;
    if (isDown(display_, keySymOf(key))) return true;
    // The key's modifier, where it has one (Num Lock, Caps Lock).
    if (const unsigned int mask = modifierOf(display_, key); mask != 0) {
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
