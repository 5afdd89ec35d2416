#pragma once

#include "core/platform/lock_keys.h"

namespace syncward {

// The lock keys of the desktop the program runs on: read from the key
// states the system keeps for the program's input (the lowest bit of a
// key's state is its toggle), pressed as the keyboard would press them.
// Without an interactive desktop (a service, a scheduled start with nobody
// logged on) presses do nothing and states are unknown.
class Win32LockKeys : public LockKeys {
public:
    bool available() override;
    void press(LockKey key) override;
    std::optional<bool> isOn(LockKey key) override;
};

}  // namespace syncward
