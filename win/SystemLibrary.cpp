#include "win/SystemLibrary.h"

#include "win/Paths.h"

#include <string>

SystemLibrary::SystemLibrary(const char* name) {
    std::string path = SystemFile(name);
    if (path.empty())
        return;
    // The library's own imports are looked for beside it first, too.
    module.Reset(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

FARPROC SystemLibrary::Export(const char* name) const {
    return module.Valid() ? GetProcAddress(module.Get(), name) : nullptr;
}
