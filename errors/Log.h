// Error log: exception records appended to a text file while switched on.
#pragma once

#include <string>

// Switches the log on, into `file` (relative to the current directory
// unless absolute), which is opened here once, made if missing and never
// truncated, and kept open for appending until StopLog. On NT it is opened
// relative to its folder as win/FolderWalk.h reaches it, and refused when
// it is a link, a folder or a file with more than one name. False, with the
// log off, when it can't be had.
bool StartLog(const std::string& file);

// Closes the log; records go nowhere afterwards. Off at start.
void StopLog();

// Formats like printf and appends the text to the log with CR LF line
// ends, in one write. Does nothing at all while the log is off. Failures
// are silent.
void LogPrintf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
