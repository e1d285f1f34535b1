// Writing a whole file under a name in a folder that others may write to,
// while we may run with more rights than they have: whatever bears the name
// (a file, a link) is replaced, never written through, and the file lands
// in the folder the name first led to.
#pragma once

#include <windows.h>

#include <string>

// Where the new file's name comes from: a value that differs from call to
// call (TempSuffix), or in tests one that names what they planted.
using TempSuffixFunction = DWORD (*)();
DWORD TempSuffix();

// Writes `bytes` to a new file of its own beside `path` (a name of `path`'s
// own plus ".~" and eight hex digits from `suffix`, made only where nothing
// bears it, never opened through an existing name), flushes it and renames
// it to `path`, replacing what was there: a link there goes, its target
// stays as it was. On NT the folder is reached once (win/FolderWalk.h) and
// everything after happens relative to it and through the new file's own
// handle. False when `path` is a directory or read-only, a folder on the
// way is missing or a link, access is denied, or any step fails; then
// `path` is as it was and no file of ours remains.
bool WriteReplacing(const std::string& path, const std::string& bytes,
                    TempSuffixFunction suffix = TempSuffix);

// The same by names alone, as Windows 9x has it (no native calls, no
// replacing rename, no links): the old file steps aside for the new one and
// is put back if the rename fails. WriteReplacing's way there.
bool WriteReplacingByName(const std::string& path, const std::string& bytes,
                          TempSuffixFunction suffix = TempSuffix);
