// Error log: exception records appended to a text file while switched on.
#pragma once

#include <string>

// Off at start; StartLog turns it on.
extern bool LogEnabled;
extern std::string LogFileName;

// Switches the log on, into `file` (relative to the current directory as
// each record is written). The file is made when the first record comes.
void StartLog(const std::string& file);

// Formats like printf and appends the text to LogFileName with CR LF line
// ends. Does nothing at all while LogEnabled is false. Failures are silent.
void LogPrintf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
