#pragma once

#include <windows.h>

namespace syncward {

// Security for the files and folders the program creates: the user, the
// system and the administrators have full access, nobody else any, and
// nothing is inherited from the folder above (the same people a user's own
// profile folder admits). Files may hold passwords. nullptr when the
// descriptor could not be built; the folder's inherited access applies then.
SECURITY_ATTRIBUTES* ownerOnlyFile();
// The same for a folder; what is created inside inherits it.
SECURITY_ATTRIBUTES* ownerOnlyFolder();

}  // namespace syncward
