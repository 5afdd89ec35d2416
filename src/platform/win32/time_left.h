#pragma once

#include <windows.h>

#include <chrono>

namespace syncward {

// The milliseconds until end, as the wait calls take them; 0 once past.
inline DWORD msLeft(std::chrono::steady_clock::time_point end) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
    return left < 0 ? 0 : static_cast<DWORD>(left);
}

}  // namespace syncward
