// Writing a whole file under a name in a folder that others may write to,
// while we may run with more rights than they have: whatever bears the name
// (a file, a link) is replaced, never written through.
#pragma once

#include <windows.h>

#include <string>

// How the finished file takes the name; the system's own but in tests.
using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

// Writes `bytes` to a new file of its own beside `path` (same folder, a
// name of `path`'s own plus ".~" and eight hex digits, made only where
// nothing bears it), flushes it and renames it to `path`, replacing what
// was there: a link there goes, its target stays as it was. Where the
// system has no replacing rename (Windows 9x), the old file steps aside
// first and is put back if the rename fails. False when `path` is a
// directory or read-only, its folder is missing, access is denied, or any
// step fails; then `path` is as it was and no file of ours remains.
bool WriteReplacing(const std::string& path, const std::string& bytes,
                    MoveFileExFunction moveFileEx = MoveFileExA);
