#pragma once

#include <string>

namespace syncward {

// What the program's user may do with a file or folder, by its access list.
struct PathRights {
    bool read = false;     // a file's bytes, a folder's names
    bool write = false;    // a file's bytes, new entries in a folder
    bool execute = false;  // run a file
};

// Asked of the system's own access check with the user's token. Where the
// access list cannot be read (no right to read it, a file system without
// one) everything is assumed allowed: what is then refused shows when it
// is used.
PathRights rightsOf(const std::wstring& path, bool folder);

// ".exe", ".bat", ".cmd" or ".com", letter case ignored: the files Windows
// starts as programs by name.
bool isProgramFile(const std::wstring& path);

}  // namespace syncward
