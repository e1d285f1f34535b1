#include "errors/Log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

bool LogEnabled = false;
std::string LogFileName;

void StartLog(const std::string& file) {
    LogFileName = file;
    LogEnabled = true;
}

void LogPrintf(const char* fmt, ...) {
    if (!LogEnabled)
        return;

    // A longer text is cut at the buffer's end.
    char text[1024];
    va_list args;
    va_start(args, fmt);
    vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    text[sizeof text - 1] = '\0';

    HANDLE file = CreateFileA(LogFileName.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SetFilePointer(file, 0, nullptr, FILE_END);

    // Runs between line-end bytes go out as they stand; LF becomes CR LF and
    // CR is dropped. CharNextA keeps a double-byte character in one run.
    DWORD written;
    char* run = text;
    char* p = text;
    for (;;) {
        if (*p != '\0' && *p != '\n' && *p != '\r') {
            p = CharNextA(p);
            continue;
        }
        if (p > run)
            WriteFile(file, run, static_cast<DWORD>(p - run), &written, nullptr);
        if (*p == '\0')
            break;
        if (*p == '\n')
            WriteFile(file, "\r\n", 2, &written, nullptr);
        run = ++p;
    }
    CloseHandle(file);
}
