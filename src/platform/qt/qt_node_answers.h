#pragma once

#include "core/platform/node_answers.h"

namespace syncward {

// The client's JSON answers read with Qt's JSON reader. Fields are found by
// name, so any version of any coin's client is read the same way; a field
// that is missing or of another type is left empty.
class QtNodeAnswers : public NodeAnswers {
public:
    std::optional<ChainState> chainState(const std::string& answer) override;
    std::optional<PeerState> peers(const std::string& answer) override;
    std::optional<long long> blockTime(const std::string& answer) override;
};

}  // namespace syncward
