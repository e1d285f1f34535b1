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
