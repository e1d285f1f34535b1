// Owns a handle and closes it on destruction: a kernel object's (Handle), a
// loaded library's (Module), or a service's or the service database's
// (ServiceHandle, in its own header).
#pragma once

#include <windows.h>

// `close` frees an H; `empty` is what an H that owns nothing holds. Null
// owns nothing either.
template <class H, BOOL(WINAPI* close)(H), LONG_PTR empty> class Owned {
public:
    explicit Owned(H h = H(empty)) : h(h) {}
    ~Owned() { Close(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : h(other.Release()) {}

    bool Valid() const { return h != H(empty) && h != nullptr; }
    H Get() const { return h; }
    // Hands the handle over; this object owns nothing afterwards.
    H Release() {
        H released = h;
        h = H(empty);
        return released;
    }
    // Closes the handle owned so far and owns `other` instead.
    void Reset(H other = H(empty)) {
        if (Valid())
            close(h);
        h = other;
    }
    void Close() { Reset(); }

private:
    H h;
};

// -1 is INVALID_HANDLE_VALUE, what a failed CreateFileA answers.
using Handle = Owned<HANDLE, CloseHandle, -1>;
using Module = Owned<HMODULE, FreeLibrary, 0>;
