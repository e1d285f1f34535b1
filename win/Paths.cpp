#include "win/Paths.h"

#include "win/SystemLibrary.h"

#include <windows.h>

std::string GetSystemDir() {
    char dir[MAX_PATH];
    UINT length = GetSystemDirectoryA(dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return std::string(dir, length);
}

std::string GetSystemWindowsDir() {
    SystemLibrary kernel("kernel32.dll");
    decltype(&::GetSystemWindowsDirectoryA) ask;
    kernel.Resolve("GetSystemWindowsDirectoryA", ask);
    char dir[MAX_PATH];
    UINT length = ask ? ask(dir, MAX_PATH) : 0;
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return std::string(dir, length);
}

std::string GetTempDir() {
    char dir[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof dir, dir);
    if (length == 0 || length >= sizeof dir)
        return std::string();
    return std::string(dir, length);
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    const char* end = dir.c_str() + dir.size();
    const char* last = CharPrevA(dir.c_str(), end);
    if (last != end && *last == '\\')
        return dir + name;
    return dir + "\\" + name;
}

std::string SystemFile(const std::string& name) {
    std::string dir = GetSystemDir();
    return dir.empty() ? dir : JoinPath(dir, name);
}
