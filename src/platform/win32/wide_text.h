#pragma once

#include <string>
#include <string_view>

namespace syncward {

// The program's texts are UTF-8; Windows takes and gives UTF-16. Bytes that
// are no UTF-8 become U+FFFD on the way in.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace syncward
