#include "support/TempDir.h"

#include "win/Handle.h"

#include <windows.h>

#include <stdexcept>

TempDir::TempDir() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static unsigned serial;
    for (;;) {
        path = std::string(base) + "sysreport-test-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++serial);
        if (CreateDirectoryA(path.c_str(), nullptr))
            return;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create " + path);
    }
}

TempDir::~TempDir() {
    RemoveTree(path);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path);
    std::string bytes(GetFileSize(f, nullptr), '\0');
    DWORD got = 0;
    BOOL ok = bytes.empty() || ReadFile(f, &bytes[0], bytes.size(), &got, nullptr);
    CloseHandle(f);
    if (!ok || got != bytes.size())
        throw std::runtime_error("cannot read " + path);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + path);
    DWORD put = 0;
    BOOL ok = WriteFile(f, bytes.data(), bytes.size(), &put, nullptr);
    CloseHandle(f);
    if (!ok || put != bytes.size())
        throw std::runtime_error("cannot write " + path);
}

void RemoveTree(const std::string& path) {
    DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    for (const std::string& name : Names(path + "\\*"))
        RemoveTree(path + "\\" + name);
    RemoveDirectoryA(path.c_str());
}

std::set<std::string> Names(const std::string& pattern) {
    std::set<std::string> names;
    WIN32_FIND_DATAA entry;
    Owned<HANDLE, FindClose, -1> find(FindFirstFileA(pattern.c_str(), &entry));
    for (BOOL more = find.Valid(); more; more = FindNextFileA(find.Get(), &entry))
        if (std::string(".") != entry.cFileName && std::string("..") != entry.cFileName)
            names.insert(entry.cFileName);
    return names;
}
