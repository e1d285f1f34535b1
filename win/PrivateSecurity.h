// Security for a file that only the account running the program, SYSTEM and
// Administrators may open. A file made without it inherits its folder's
// rights; before Vista another user who may write there could then map it
// for writing, which the program's read-only sharing does not stop.
#pragma once

#include <windows.h>

#include <vector>

class PrivateSecurity {
public:
    // Builds the descriptor on NT; Windows 9x has no file security.
    PrivateSecurity();
    PrivateSecurity(const PrivateSecurity&) = delete;
    PrivateSecurity& operator=(const PrivateSecurity&) = delete;

    // False on NT when the descriptor could not be built: then nothing
    // should be created with it.
    bool Valid() const { return valid; }
    // What to create the file with: null on Windows 9x.
    SECURITY_ATTRIBUTES* Attributes() { return nt ? &attributes : nullptr; }

private:
    bool Build();

    bool nt = false;
    bool valid = false;
    std::vector<BYTE> user, acl;
    SECURITY_DESCRIPTOR descriptor = {};
    SECURITY_ATTRIBUTES attributes = {};
};
