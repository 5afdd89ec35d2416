#pragma once

#include "core/platform/clipboard.h"

namespace syncward {

// The clipboard of the desktop session the program's windows live in.
class QtClipboard : public Clipboard {
public:
    void setText(const std::string& text) override;
};

}  // namespace syncward
