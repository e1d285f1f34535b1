#include "rc/WriteBuffer.h"

#include "win/Handle.h"

#include <windows.h>

int WriteBuffer(const char* fileName, unsigned char* data, unsigned long& size) {
    enum ERRORS2 { CREATE_FAILED = 0, WRITE_FAILED = 1 };

    DWORD written = 0;
    try {
        Handle file(CreateFileA(fileName, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid())
            throw CREATE_FAILED;
        if (!WriteFile(file.Get(), data, size, &written, nullptr) || written != size)
            throw WRITE_FAILED;
    } catch (ERRORS2) {
        size = written;
        return 0;
    }
    return 1;
}
