#pragma once

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "core/platform/sleep_inhibitor.h"

namespace syncward {

// Several inhibitors held and released together, as one: the desktop's own
// and the login manager's. Held while any one of them is.
class SleepInhibitorSet : public SleepInhibitor {
public:
    SleepInhibitorSet(std::initializer_list<SleepInhibitor*> members) : members_(members) {}

    bool hold() override {
        bool any = false;
        for (SleepInhibitor* member : members_) any = member->hold() || any;
        return any;
    }
    void release() override {
        for (SleepInhibitor* member : members_) member->release();
    }
    bool held() const override {
        return std::any_of(members_.begin(), members_.end(), [](const SleepInhibitor* m) { return m->held(); });
    }
    std::vector<HeldInhibitor> holding() const override {
        std::vector<HeldInhibitor> out;
        for (const SleepInhibitor* member : members_) {
            std::vector<HeldInhibitor> more = member->holding();
            out.insert(out.end(), more.begin(), more.end());
        }
        return out;
    }

private:
    std::vector<SleepInhibitor*> members_;
};

}  // namespace syncward
