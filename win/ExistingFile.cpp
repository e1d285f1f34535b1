#include "win/ExistingFile.h"

#include "win/DeleteOpenFile.h"

ExistingFile::ExistingFile(const std::string& path)
    // A link is opened itself, not followed.
    : path(path), file(CreateFileA(path.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr)) {
    absent = !file.Valid() && GetLastError() == ERROR_FILE_NOT_FOUND;
    BY_HANDLE_FILE_INFORMATION info;
    if (file.Valid() && GetFileInformationByHandle(file.Get(), &info) &&
        !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
        info.nNumberOfLinks == 1)
        size = ULONGLONG(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    else
        file.Close();
}

bool ExistingFile::EndsWith(const std::string& tail, bool whole) const {
    if (!file.Valid() || size < tail.size() || (whole && size != tail.size()))
        return false;
    ULONGLONG at = size - tail.size();
    LONG high = LONG(at >> 32);
    std::string bytes(tail.size(), '\0');
    DWORD got = 0;
    SetLastError(NO_ERROR);
    return (SetFilePointer(file.Get(), LONG(at), &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER ||
            GetLastError() == NO_ERROR) &&
           ReadFile(file.Get(), &bytes[0], DWORD(bytes.size()), &got, nullptr) &&
           got == bytes.size() && bytes == tail;
}

bool ExistingFile::Remove() {
    if (absent)
        return true;
    absent = file.Valid() && DeleteOpenFile(file, path);
    return absent;
}
