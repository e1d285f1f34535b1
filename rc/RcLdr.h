// Read access to the resources of the program's own executable, mapped a
// second time as a data file so that none of its code runs.
#pragma once

#include "rc/RcRes.h"
#include "win/Handle.h"

#include <windows.h>

class RcLdr {
public:
    // Maps the file that `instance` was loaded from. Throws Except_BadExec.
    explicit RcLdr(HMODULE instance);

    // Maps `path` as a data file; the old mapping goes only once the new
    // one exists. Throws Except_BadExec.
    void LoadFile(const char* path);

    // Throws Except_MissingResource.
    void Load(RcRes& res, LPCSTR type, LPCSTR name) { res.Load(module.Get(), type, name); }

private:
    Module module;
};
