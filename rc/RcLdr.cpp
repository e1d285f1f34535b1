#include "rc/RcLdr.h"

#include "errors/Except.h"
#include "win/Handle.h"

RcLdr::RcLdr(HMODULE instance) {
    char path[2048];
    if (GetModuleFileNameA(instance, path, sizeof path) == 0)
        throw Except_BadExec("RcLdr::RcLdr()", "(Copy of resource)");
    LoadFile(path);
}

void RcLdr::LoadFile(const char* path) {
    HMODULE mapped = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!mapped)
        throw Except_BadExec("RcLdr::LoadFile", path);
    module.Reset(mapped);
}

void RcLdr::CopyResource(const char* fileName, LPCSTR type, LPCSTR name) {
    RcRes res(module.Get(), type, name);
    if (!res.Data())
        return;

    Handle file(CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        throw Except_FileWriteError("RcLdr::CopyResource", fileName);
    // A write reported as done is taken as complete.
    DWORD written;
    if (!WriteFile(file.Get(), res.Data(), res.Size(), &written, nullptr))
        throw Except_FileWriteError("RcLdr::CopyResource", fileName);
}
