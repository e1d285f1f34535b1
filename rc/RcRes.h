// A handle to one resource found in a mapped executable. It owns no memory:
// the bytes belong to the mapping and stay valid while the handle holds the
// resource and the mapping lives.
#pragma once

#include <windows.h>

class RcRes {
public:
    RcRes() = default;
    // type and name: a text, or an integer id (MAKEINTRESOURCEA).
    RcRes(HMODULE module, LPCSTR type, LPCSTR name);
    ~RcRes() { Release(); }
    RcRes(const RcRes&) = delete;
    RcRes& operator=(const RcRes&) = delete;

    // Gives back what the handle holds, then finds the resource.
    // Throws Except_MissingResource, leaving the handle empty.
    void Load(HMODULE module, LPCSTR type, LPCSTR name);
    void Release();

    const unsigned char* Data() const { return data; }
    DWORD Size() const { return size; }

private:
    const unsigned char* data = nullptr;
    HRSRC resource = nullptr;
    DWORD size = 0;
};
