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

// Starts `exe` in `dir` with `arguments` after its quoted name, presses OK
// on every message box it shows and waits for it to end (a minute at most,
// then it is killed).
ProgramOutcome RunProgram(const std::string& exe, const std::string& dir,
                          const std::string& arguments = "");

// Makes `host` the system's report host (mshta.exe), preferred by Wine to
// its built-in one; RestoreReportHost puts the original back.
bool InstallReportHost(const std::string& host);
void RestoreReportHost();

// Makes the processes of `program` (a file name) load `library` in the
// given order ("native", "native,builtin", ...); a process's
// WINEDLLOVERRIDES never reaches the processes it starts.
// ClearProgramOverride takes it back, and the keys it leaves empty.
bool SetProgramOverride(const char* program, const char* library, const char* order);
void ClearProgramOverride(const char* program, const char* library);

// Puts `library` in place of the system's SetupApi.dll file, and makes the
// processes of `program` (a file name) prefer it to Wine's built-in one;
// the rest of the prefix (services.exe imports it) keeps the built-in.
// RestoreSetupLibrary puts the original back.
bool InstallSetupLibrary(const std::string& library, const char* program);
void RestoreSetupLibrary(const char* program);

// One resource of an executable, with its identity as the platform names it.
struct Resource {
    std::string type, name; // "#N" for an integer id
    WORD language;
    std::string bytes;
};

std::vector<Resource> ReadResources(const std::string& exe);
// Copies `exe` to `copy` with exactly the given resources.
void WriteCopyWithResources(const std::string& exe, const std::string& copy,
                            const std::vector<Resource>& resources);
