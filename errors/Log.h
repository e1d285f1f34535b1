// Error log: exception records appended to a text file while switched on.
#pragma once

#include <string>

// Off at start; nothing in the program turns it on. Tests may.
extern bool LogEnabled;
extern std::string LogFileName;

// Formats like printf and appends the text to LogFileName with CR LF line
// ends. Does nothing at all while LogEnabled is false. Failures are silent.
void LogPrintf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
