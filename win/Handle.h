// Owns a kernel object handle and closes it on destruction.
#pragma once

#include <windows.h>

class Handle {
public:
    explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool Valid() const { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    HANDLE Get() const { return h; }
    void Close() {
        if (Valid())
            CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE h;
};
