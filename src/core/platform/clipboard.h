#pragma once

#include <string>

namespace syncward {

// The desktop's clipboard: a window copies a text the user asked for.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const std::string& text) = 0;
};

}  // namespace syncward
