// The current directory, and a directory joined with a file name.
#pragma once

#include <string>

// Without a trailing backslash except at a drive root; any length. The
// empty text when the platform cannot report it.
std::string GetCurrentDir();

// `dir`, one backslash, `name`; no second backslash when `dir` ends in one
// (a double-byte character's trail byte is never taken for it).
std::string JoinPath(const std::string& dir, const std::string& name);
