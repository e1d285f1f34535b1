// A file opened so that nobody else can write or delete it while the object
// lives, after checking that it holds exactly the expected bytes. Keeps a
// file that is about to be loaded or shown from being swapped underneath us.
#pragma once

#include "win/Handle.h"

#include <windows.h>

// Whether the file that `file` is open on for reading, at its start, holds
// exactly data[0..size). Reads it to the end of those bytes and one more.
bool HoldsExactly(HANDLE file, const unsigned char* data, DWORD size);

class HeldFile {
public:
    HeldFile() = default;
    // Holds nothing when the file can't be opened that way or its bytes
    // differ from data[0..size).
    HeldFile(const char* path, const unsigned char* data, DWORD size);

    bool Held() const { return file.Valid(); }
    HANDLE Get() const { return file.Get(); }

private:
    Handle file;
};
