// Directories the program works in, and file names joined to them.
#pragma once

#include <string>

// The system directory; the empty text when it can't be had in full.
std::string GetSystemDir();

// The Windows folder that every user of the machine shares, even where each
// has a Windows folder of their own (a Remote Desktop host). Asked through
// GetSystemWindowsDirectoryA, looked up at run time (Windows 2000 and
// later); the empty text without it or when it can't be had in full.
std::string GetSystemWindowsDir();

// The account's temporary folder, with its trailing backslash; the empty
// text when it can't be had in full.
std::string GetTempDir();

// `dir`, one backslash, `name`; no second backslash when `dir` ends in one
// (a double-byte character's trail byte is never taken for it).
std::string JoinPath(const std::string& dir, const std::string& name);

// `name` in the system directory; the empty text without one.
std::string SystemFile(const std::string& name);
