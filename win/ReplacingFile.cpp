#include "win/ReplacingFile.h"

#include "win/Ascii.h"
#include "win/DeleteOpenFile.h"
#include "win/FolderWalk.h"
#include "win/Handle.h"
#include "win/Native.h"
#include "win/TextEncoding.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

const int nameAttempts = 16;

std::string Hex(DWORD value) {
    std::string out;
    AppendHex(out, value, 8);
    return out;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD put = 0;
    return (bytes.empty() || (WriteFile(file, bytes.data(), DWORD(bytes.size()), &put, nullptr) &&
                              put == bytes.size())) &&
           FlushFileBuffers(file);
}

// Whatever bears `name` in `folder`, looked at itself (a link is not
// followed), may be replaced: it is no directory and not read-only. Not
// every replacing rename refuses a read-only file (Wine's doesn't).
bool Replaceable(HANDLE folder, const WideString& name) {
    Handle existing;
    NTSTATUS status =
        NativeCreate(folder, name, FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN,
                     FILE_SYNCHRONOUS_IO_NONALERT | LinkItself(), nullptr, existing);
    BY_HANDLE_FILE_INFORMATION info;
    // Nothing bears the name (Wine answers "no such file" for a Unix link
    // that leads nowhere).
    return status == statusObjectNameNotFound || status == statusNoSuchFile ||
           (status >= 0 && GetFileInformationByHandle(existing.Get(), &info) &&
            !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)));
}

// A new file beside `name` in `folder`, open for writing and deleting by
// us alone. Only ever created: a name that something bears, a link
// included, is passed over for the next one.
bool CreateTempIn(HANDLE folder, const WideString& name, TempSuffixFunction suffix, Handle& file) {
    NTSTATUS status = statusObjectNameCollision;
    for (int i = 0; i < nameAttempts && status == statusObjectNameCollision; ++i)
        status =
            NativeCreate(folder, name + L".~" + AnsiToWide(Hex(suffix())),
                         FILE_WRITE_DATA | DELETE | SYNCHRONIZE, 0, FILE_CREATE,
                         FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, file);
    return status >= 0;
}

// The file `file` is open on takes `name` in `folder`, replacing what bore
// it.
bool RenameInto(HANDLE file, HANDLE folder, const WideString& name) {
    size_t length = name.size() * sizeof(wchar_t);
    std::vector<char> buffer(std::max(sizeof(FILE_RENAME_INFORMATION),
                                      offsetof(FILE_RENAME_INFORMATION, FileName) + length));
    auto* rename = reinterpret_cast<FILE_RENAME_INFORMATION*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = folder;
    rename->FileNameLength = ULONG(length);
    std::memcpy(rename->FileName, name.data(), length);
    IO_STATUS_BLOCK io = {};
    return Native()->NtSetInformationFile(file, &io, rename, ULONG(buffer.size()),
                                          FileRenameInformation) >= 0;
}

// A new file beside `path`, open for writing by us alone, under a name
// nothing bore, which goes to `temp`.
HANDLE CreateTemp(const std::string& path, std::string& temp, TempSuffixFunction suffix) {
    for (int i = 0; i < nameAttempts; ++i) {
        temp = path + ".~" + Hex(suffix());
        HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE ||
            (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// The old file is renamed out of the way, and back if the new one can't
// take its name.
bool MoveAside(const std::string& temp, const std::string& path) {
    std::string aside = temp + "~";
    bool hadOld = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (hadOld && !MoveFileA(path.c_str(), aside.c_str()))
        return false;
    if (MoveFileA(temp.c_str(), path.c_str())) {
        if (hadOld)
            DeleteFileA(aside.c_str());
        return true;
    }
    if (hadOld)
        MoveFileA(aside.c_str(), path.c_str());
    return false;
}

} // namespace

DWORD TempSuffix() {
    // Started from the clock and the process, then stepped on each call
    // (a generator that runs through every value before any comes again).
    static DWORD state = GetTickCount() ^ (GetCurrentProcessId() << 16);
    state = state * 1664525u + 1013904223u;
    return state;
}

bool WriteReplacing(const std::string& path, const std::string& bytes, TempSuffixFunction suffix) {
    if (!Native())
        return WriteReplacingByName(path, bytes, suffix);
    Handle folder, file;
    WideString name;
    if (!OpenFolderOf(path, folder, name) || !Replaceable(folder.Get(), name) ||
        !CreateTempIn(folder.Get(), name, suffix, file))
        return false;
    // The rename stays in the folder, so no copy needs writing through.
    if (WriteAll(file.Get(), bytes) && RenameInto(file.Get(), folder.Get(), name))
        return true;
    // Through the handle: the name is never looked up again.
    DeleteOpenFile(file, std::string());
    return false;
}

bool WriteReplacingByName(const std::string& path, const std::string& bytes,
                          TempSuffixFunction suffix) {
    // Never replaced: the old file would be moved aside either way.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;

    std::string temp;
    Handle file(CreateTemp(path, temp, suffix));
    if (!file.Valid())
        return false;
    bool written = WriteAll(file.Get(), bytes);
    file.Close();
    if (written && MoveAside(temp, path))
        return true;
    DeleteFileA(temp.c_str());
    return false;
}
