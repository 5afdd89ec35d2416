#pragma once

#include <string>
#include <vector>

#include "core/platform/sleep_inhibitor.h"

namespace syncward {

// The login manager's inhibitor for sleep and idle, taken over the system
// bus. The lock is the descriptor the login manager hands back: closing it
// releases the lock, and so does the end of the process, even a crash.
class Login1SleepInhibitor : public SleepInhibitor {
public:
    // The system bus's address: DBUS_SYSTEM_BUS_ADDRESS, or the standard socket.
    static std::string systemBusAddress();

    explicit Login1SleepInhibitor(std::string busAddress) : busAddress_(std::move(busAddress)) {}
    ~Login1SleepInhibitor() override { release(); }
    Login1SleepInhibitor(const Login1SleepInhibitor&) = delete;
    Login1SleepInhibitor& operator=(const Login1SleepInhibitor&) = delete;

    bool hold() override;
    void release() override;
    bool held() const override { return descriptor_ >= 0; }
    std::vector<HeldInhibitor> holding() const override;

private:
    std::string busAddress_;
    int descriptor_ = -1;
    int connections_ = 0;
};

}  // namespace syncward
