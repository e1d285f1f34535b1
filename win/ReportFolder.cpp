#include "win/ReportFolder.h"

#include "win/DeleteOpenFile.h"
#include "win/Native.h"
#include "win/Paths.h"
#include "win/Platform.h"
#include "win/TextEncoding.h"

namespace {

// Names tried before giving up: a name is taken only by chance, or by
// someone who made many in the way.
constexpr int namesToTry = 16;

// "SysReport." and eight hex digits, another at every call.
std::string NextName(DWORD& state) {
    state = state * 1664525u + 1013904223u;
    static const char digits[] = "0123456789ABCDEF";
    std::string name = "SysReport.";
    for (int shift = 28; shift >= 0; shift -= 4)
        name += digits[state >> shift & 0xF];
    return name;
}

// A full path as the native calls take it: "\??\C:\dir", "\??\UNC\server\share\dir".
WideString NtPath(const std::string& path) {
    if (path.compare(0, 2, "\\\\") == 0)
        return L"\\??\\UNC\\" + AnsiToWide(path.substr(2));
    return L"\\??\\" + AnsiToWide(path);
}

bool FileId(HANDLE file, LARGE_INTEGER& id) {
    IO_STATUS_BLOCK io = {};
    return Native()->NtQueryInformationFile(file, &io, &id, sizeof id, FileInternalInformation) >=
           0;
}

} // namespace

bool ReportFolder::Make() {
    Remove();
    // An elevated run keeps out of the account's temporary folder, which
    // the account's unelevated programs own and could prepare for it. The
    // Windows folder is asked of the system, not of the environment, which
    // the elevated run inherits from the user.
    bool elevated = RunsElevated();
    std::string parent = GetTempDir();
    if (elevated) {
        std::string windows = GetSystemWindowsDir();
        parent = windows.empty() ? windows : JoinPath(windows, "Temp");
    }
    security.emplace(elevated ? PrivateSecurity::Administrators : PrivateSecurity::Account);
    if (parent.empty() || !security->Valid())
        return false;

    DWORD state = GetTickCount() ^ GetCurrentThreadId() * 0x9E3779B9u;
    bool taken = true;
    for (int tries = 0; taken && tries < namesToTry; ++tries)
        if (MakeAt(JoinPath(parent, NextName(state)), taken))
            return true;
    return false;
}

bool ReportFolder::MakeAt(const std::string& candidate, bool& taken) {
    if (!IsNT()) {
        made = CreateDirectoryA(candidate.c_str(), nullptr) != FALSE;
        taken = !made && GetLastError() == ERROR_ALREADY_EXISTS;
    } else {
        // Held with no right to delete, which would keep out whoever opens
        // it sharing reading and writing only, as a process does its
        // current folder.
        NTSTATUS status = NativeCreate(nullptr, NtPath(candidate),
                                       FILE_LIST_DIRECTORY | FILE_TRAVERSE | SYNCHRONIZE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_CREATE,
                                       FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT,
                                       security->Attributes()->lpSecurityDescriptor, hold);
        taken = status == statusObjectNameCollision;
        made = status >= 0;
        identified = made && FileId(hold.Get(), id);
    }
    if (made)
        path = candidate;
    return made;
}

std::string ReportFolder::File(const char* name) const {
    return JoinPath(path, name);
}

void ReportFolder::Remove() {
    hold.Close();
    if (!made)
        return;
    made = false;
    std::string gone;
    gone.swap(path);
    if (!IsNT()) {
        RemoveDirectoryA(gone.c_str());
        return;
    }
    // Found by its name again, so it must prove to be the folder made here;
    // a link in its place is opened itself (Windows 2000 and later have
    // links, and the option).
    Handle folder;
    LARGE_INTEGER found;
    if (NativeCreate(nullptr, NtPath(gone), DELETE | SYNCHRONIZE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN,
                     FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT |
                         (IsWindows2000OrLater() ? FILE_OPEN_REPARSE_POINT : 0),
                     nullptr, folder) >= 0 &&
        (!identified || (FileId(folder.Get(), found) && found.QuadPart == id.QuadPart)))
        DeleteOpenFile(folder, gone);
}
