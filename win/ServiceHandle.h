// Owns a service or service-database handle and closes it on destruction.
#pragma once

#include <windows.h>

class ServiceHandle {
public:
    explicit ServiceHandle(SC_HANDLE h = nullptr) : h(h) {}
    ~ServiceHandle() { Close(); }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;

    bool Valid() const { return h != nullptr; }
    SC_HANDLE Get() const { return h; }
    // Hands the handle over; this object owns nothing afterwards.
    SC_HANDLE Release() {
        SC_HANDLE released = h;
        h = nullptr;
        return released;
    }
    void Reset(SC_HANDLE other) {
        Close();
        h = other;
    }
    void Close() {
        if (h)
            CloseServiceHandle(h);
        h = nullptr;
    }

private:
    SC_HANDLE h;
};
