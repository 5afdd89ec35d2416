#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/reports/run_history.h"

namespace syncward {

// The last runs (at most count, newest last) as a short plain-text table
// for a mail: start, length, blocks downloaded, folder size after, outcome.
std::string historyMailTable(const std::vector<RunRecord>& rows, std::size_t count, const std::string& lineEnd);

// A run's length as "hh:mm:ss" (hours past 99 as they are).
std::string runLengthText(long long seconds);

}  // namespace syncward
