// A library of the system's own, loaded from the system directory by its
// full path, so that a copy planted beside the program or in the current
// directory is never used. Freed again on destruction.
#pragma once

#include "win/Handle.h"

#include <windows.h>

class SystemLibrary {
public:
    // `name` is a file name without a directory, e.g. "SetupApi.dll".
    explicit SystemLibrary(const char* name);

    bool Loaded() const { return module.Valid(); }

    // Sets `entry` to the export `name`; null when it or the library is
    // missing.
    template <class F> void Resolve(const char* name, F& entry) const {
        // Through the generic function type, which any entry point converts to.
        entry = reinterpret_cast<F>(reinterpret_cast<void (*)()>(Export(name)));
    }

private:
    FARPROC Export(const char* name) const;

    Module module;
};
