#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace syncward {

// A folder measurement under way. Dropping it abandons the measurement:
// its answer is never delivered afterwards.
class FolderMeasurement {
public:
    virtual ~FolderMeasurement() = default;
};

// Sums the sizes of the regular files below a folder, links not followed,
// without holding up the program: a large folder on a slow disk takes
// minutes, and the windows and timers go on meanwhile.
class FolderMeasurer {
public:
    // The total in bytes; nullopt when the folder is missing or some
    // sub-folder of it cannot be read.
    using Done = std::function<void(std::optional<std::uint64_t>)>;

    virtual ~FolderMeasurer() = default;
    // done runs later on the program's own thread, through its event loop,
    // never inside this call, and not at all once the returned measurement
    // has been dropped.
    [[nodiscard]] virtual std::unique_ptr<FolderMeasurement> measure(const std::string& folder, Done done) = 0;
};

}  // namespace syncward
