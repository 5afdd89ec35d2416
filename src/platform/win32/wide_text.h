#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace syncward {

// The program's texts are UTF-8; Windows takes and gives UTF-16. Bytes that
// are no UTF-8 become U+FFFD on the way in.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
// UTF-8 text in the OEM code page (what cmd.exe reads batch files in), or
// nothing when a character has no place there: a near look-alike would
// name another file.
std::optional<std::string> inOemCodePage(std::string_view utf8);
std::string fromOemCodePage(std::string_view oem);

}  // namespace syncward
