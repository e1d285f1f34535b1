// Deleting the very file a handle is open on, not whatever its name leads
// to by the time it is deleted.
#pragma once

#include "win/Handle.h"

#include <string>

// `file` must be open with DELETE access; it is closed either way. Where the
// system offers no deletion through a handle (Windows 9x), the file is
// closed and deleted by `path`. True when the file is, or will be once
// nobody else has it open, gone; false with the error the system gave.
bool DeleteOpenFile(Handle& file, const std::string& path);
