// A file opened so that nobody else can write or delete it while the object
// lives, after checking that it holds exactly the expected bytes. Keeps the
// driver image that is about to be loaded from being swapped underneath us.
#pragma once

#include "rc/Handle.h"

#include <windows.h>

class HeldFile {
public:
    // Throws Except_NoAccess when the file can't be opened that way or its
    // bytes differ from data[0..size).
    HeldFile(const char* path, const unsigned char* data, DWORD size);

private:
    Handle file;
};
