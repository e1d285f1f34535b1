#include "errors/Log.h"

#include "win/FolderWalk.h"
#include "win/Handle.h"
#include "win/Native.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace {

Handle logFile;

// Append-only, so every record goes to the end whatever else writes there.
HANDLE OpenRelative(const std::string& file) {
    Handle folder, log;
    WideString name;
    BY_HANDLE_FILE_INFORMATION info;
    if (!OpenFolderOf(file, folder, name) ||
        NativeCreate(folder.Get(), name, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_OPEN_IF,
                     FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | LinkItself(), nullptr,
                     log) < 0 ||
        IsLink(log.Get()) || !GetFileInformationByHandle(log.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || info.nNumberOfLinks != 1)
        log.Close();
    return log.Release();
}

} // namespace

bool StartLog(const std::string& file) {
    // Windows 9x has neither the native calls nor links.
    logFile.Reset(Native() ? OpenRelative(file)
                           : CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return logFile.Valid();
}

void StopLog() {
    logFile.Close();
}

void LogPrintf(const char* fmt, ...) {
    if (!logFile.Valid())
        return;

    // A longer text is cut at the buffer's end.
    char text[1024];
    va_list args;
    va_start(args, fmt);
    vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    text[sizeof text - 1] = '\0';

    // LF becomes CR LF and CR is dropped. CharNextA keeps a double-byte
    // character whole, so its trail byte is never taken for either.
    std::string record;
    for (char* p = text; *p != '\0';) {
        char* next = CharNextA(p);
        if (*p == '\n')
            record += "\r\n";
        else if (*p != '\r')
            record.append(p, next);
        p = next;
    }
    // NT's append-only handle writes at the end anyway; Windows 9x's writes
    // where it stands.
    SetFilePointer(logFile.Get(), 0, nullptr, FILE_END);
    DWORD written;
    if (!record.empty())
        WriteFile(logFile.Get(), record.data(), DWORD(record.size()), &written, nullptr);
}
