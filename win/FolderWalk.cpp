#include "win/FolderWalk.h"

#include "win/Native.h"
#include "win/Platform.h"
#include "win/TextEncoding.h"

namespace {

// Absolute, "." and ".." resolved, "/" as "\"; empty when it can't be had.
std::string FullPath(const std::string& path) {
    DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    std::string full(size, '\0');
    char* file = nullptr;
    DWORD length = size ? GetFullPathNameA(path.c_str(), size, &full[0], &file) : 0;
    full.resize(length < size ? length : 0);
    return full;
}

bool Dots(const WideString& name) {
    return name == L"." || name == L"..";
}

// One folder, opened itself when it is a link, and kept only when it is not.
bool OpenFolder(HANDLE root, const WideString& name, Handle& out) {
    return !Dots(name) &&
           NativeCreate(root, name, FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN,
                        FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | LinkItself(), nullptr,
                        out) >= 0 &&
           !IsLink(out.Get());
}

} // namespace

bool OpenFolderOf(const std::string& path, Handle& folder, WideString& name) {
    // Converted whole: a double-byte character's trail byte can be a
    // backslash.
    WideString full = AnsiToWide(FullPath(path));
    if (full.compare(0, 4, L"\\\\?\\") == 0)
        full = full.compare(4, 4, L"UNC\\") == 0 ? L"\\" + full.substr(7) : full.substr(4);

    // The drive's root folder, or the share's; `at` is where the names
    // below it begin.
    WideString root;
    size_t at = 0;
    if (full.size() > 2 && full[1] == L':' && full[2] == L'\\') {
        root = L"\\??\\" + full.substr(0, 3);
        at = 3;
    } else if (full.compare(0, 2, L"\\\\") == 0) {
        size_t share = full.find(L'\\', 2);
        at = share == WideString::npos ? share : full.find(L'\\', share + 1);
        if (at == WideString::npos)
            return false;
        root = L"\\??\\UNC\\" + full.substr(2, at++ - 2);
    } else {
        return false;
    }

    Handle current;
    if (!OpenFolder(nullptr, root, current))
        return false;
    for (size_t end; (end = full.find(L'\\', at)) != WideString::npos;) {
        WideString part = full.substr(at, end - at);
        at = end + 1;
        Handle next;
        if (part.empty())
            continue;
        if (!OpenFolder(current.Get(), part, next))
            return false;
        current.Reset(next.Release());
    }
    name = full.substr(at);
    if (name.empty() || Dots(name))
        return false;
    folder.Reset(current.Release());
    return true;
}

bool IsLink(HANDLE file) {
    const NativeApi* api = Native();
    BY_HANDLE_FILE_INFORMATION info;
    if (!api || !IsWindows2000OrLater() ||
        (GetFileInformationByHandle(file, &info) &&
         !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    FILE_ATTRIBUTE_TAG_INFO tag = {};
    IO_STATUS_BLOCK io = {};
    return api->NtQueryInformationFile(file, &io, &tag, sizeof tag, FileAttributeTagInformation) <
               0 ||
           IsReparseTagNameSurrogate(tag.ReparseTag);
}

ULONG LinkItself() {
    return IsWindows2000OrLater() ? FILE_OPEN_REPARSE_POINT : 0;
}
