// Whatever already bears a name we are about to write. Opened so that
// nobody can write, rename or delete it while it is judged, and, if it is to
// go, deleted through that very handle: never through a link, never a file
// that took its place.
#pragma once

#include "win/Handle.h"

#include <windows.h>

#include <string>

class ExistingFile {
public:
    explicit ExistingFile(const std::string& path);

    // Nothing bears the name.
    bool Absent() const { return absent; }
    // A plain file (no directory, no reparse point, one name only) whose
    // last bytes are `tail`; with `whole`, nothing comes before them.
    bool EndsWith(const std::string& tail, bool whole) const;
    // Deletes the plain file; true when the name is free once nobody else
    // has it open, or nothing was there.
    bool Remove();

private:
    std::string path;
    Handle file;
    bool absent = false;
    ULONGLONG size = 0;
};
