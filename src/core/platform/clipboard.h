#pragma once

#include <string>

namespace syncward {

// The desktop's clipboard: a window copies a text the user asked for.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const std::string& text) = 0;
};

// Where there is no clipboard (a platform assembled without one): the copy
// goes nowhere and the window goes on.
class NoClipboard : public Clipboard {
public:
    void setText(const std::string&) override {}
};

inline Clipboard& noClipboard() {
    static NoClipboard none;
    return none;
}

}  // namespace syncward
