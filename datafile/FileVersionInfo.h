// String values of a file's version resource, under one translation.
#pragma once

#include "win/SystemLibrary.h"

#include <windows.h>

#include <memory>
#include <string>

// The running program's ProductVersion, read afresh at every call; the
// empty text without one.
std::string OwnProductVersion();

class FileVersionInfo {
public:
    // The file `module` was loaded from; null is the running program.
    explicit FileVersionInfo(HMODULE module);
    FileVersionInfo(const FileVersionInfo&) = delete;
    FileVersionInfo& operator=(const FileVersionInfo&) = delete;

    // Replaces what was read before; a file without version information,
    // or a system without the version library, leaves nothing to query.
    void LoadFromFile(const char* fileName);

    void SetTranslation(WORD language, WORD codePage);
    void SetDefaultTranslation(); // U.S. English, Unicode: 0409/04B0

    // The value's text, which lives as long as this object; null when there
    // is no such value under the current translation (no fallback to any
    // other) or the name does not fit the query path.
    const char* QueryString(const char* name);

private:
    // The system's own VERSION.dll, by full path: the name is not one the
    // loader keeps to the system directory, so a copy beside the program
    // would otherwise take these calls.
    SystemLibrary library{"version.dll"};
    decltype(&::GetFileVersionInfoSizeA) getInfoSize = nullptr;
    decltype(&::GetFileVersionInfoA) getInfo = nullptr;
    decltype(&::VerQueryValueA) queryValue = nullptr;

    std::unique_ptr<char[]> block;
    WORD prefixLength = 0;
    char queryPath[256] = "";
    UINT valueLength = 0;
};
