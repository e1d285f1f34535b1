// Runs a program as a black box under Wine: answers its message boxes and
// reports what it showed and how it ended; patches copies of executables.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct MessageBoxSeen {
    std::string caption;
    std::string text;
    bool icon;
};

struct ProgramOutcome {
    bool started = false;
    bool ended = false; // false: killed after a minute
    DWORD exitCode = 0xFFFFFFFF;
    std::vector<MessageBoxSeen> boxes;
};

// Starts `exe` in `dir`, presses OK on every "ERROR" box it shows and waits
// for it to end (a minute at most, then it is killed).
ProgramOutcome RunProgram(const std::string& exe, const std::string& dir);

// Makes `host` the system's report host (mshta.exe), preferred by Wine to
// its built-in one; RestoreReportHost puts the original back.
bool InstallReportHost(const std::string& host);
void RestoreReportHost();

// One resource of an executable, with its identity as the platform names it.
struct Resource {
    std::string type, name; // "#N" for an integer id
    WORD language;
    std::string bytes;
    LPCSTR Type() const;
    LPCSTR Name() const;
};

std::vector<Resource> ReadResources(const std::string& exe);
// Copies `exe` to `copy` with exactly the given resources.
void WriteCopyWithResources(const std::string& exe, const std::string& copy,
                            const std::vector<Resource>& resources);
