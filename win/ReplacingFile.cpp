#include "win/ReplacingFile.h"

#include "win/Handle.h"

namespace {

const int nameAttempts = 16;

std::string Hex(DWORD value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out(8, '0');
    for (int i = 8; i-- > 0; value >>= 4)
        out[i] = digits[value & 0xF];
    return out;
}

// A new file beside `path`, open for writing by us alone, under a name
// nothing bore, which goes to `temp`. Never opened through an existing
// name: a link planted under the name fails the create like any file.
HANDLE CreateTemp(const std::string& path, std::string& temp) {
    DWORD seed = GetTickCount();
    for (int i = 0; i < nameAttempts; ++i) {
        temp = path + ".~" + Hex(seed + i);
        HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE ||
            (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Windows 9x: the old file is renamed out of the way, and back if the new
// one can't take its name. Nobody there can plant a link.
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

bool WriteReplacing(const std::string& path, const std::string& bytes,
                    MoveFileExFunction moveFileEx) {
    // Never replaced: the 9x way would move either aside, and not every
    // replacing rename refuses a read-only file (Wine's doesn't).
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;

    std::string temp;
    Handle file(CreateTemp(path, temp));
    if (!file.Valid())
        return false;
    DWORD put = 0;
    bool written = (bytes.empty() ||
                    (WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &put, nullptr) &&
                     put == bytes.size())) &&
                   FlushFileBuffers(file.Get());
    file.Close();

    // The rename stays on the volume, so no copy needs writing through.
    if (written && (moveFileEx(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) ||
                    (GetLastError() == ERROR_CALL_NOT_IMPLEMENTED && MoveAside(temp, path))))
        return true;
    DeleteFileA(temp.c_str());
    return false;
}
