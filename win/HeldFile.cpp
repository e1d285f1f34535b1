#include "win/HeldFile.h"

#include <cstring>
#include <vector>

bool HoldsExactly(HANDLE file, const unsigned char* data, DWORD size) {
    DWORD high = 0;
    DWORD length = GetFileSize(file, &high);
    // One byte more than expected shows a longer file.
    std::vector<unsigned char> bytes(size + 1);
    DWORD got = 0;
    return length != INVALID_FILE_SIZE && high == 0 && length == size &&
           ReadFile(file, bytes.data(), size + 1, &got, nullptr) && got == size &&
           std::memcmp(bytes.data(), data, size) == 0;
}

HeldFile::HeldFile(const char* path, const unsigned char* data, DWORD size)
    : file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (file.Valid() && !HoldsExactly(file.Get(), data, size))
        file.Close();
}
