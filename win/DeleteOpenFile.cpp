#include "win/DeleteOpenFile.h"

#include "win/Native.h"

bool DeleteOpenFile(Handle& file, const std::string& path) {
    // The documented way through a handle came only with Vista.
    const NativeApi* api = Native();
    if (!api) {
        file.Close();
        return DeleteFileA(path.c_str()) != 0;
    }
    IO_STATUS_BLOCK io = {};
    BOOLEAN gone = TRUE;
    bool deleted = file.Valid() && api->NtSetInformationFile(file.Get(), &io, &gone, sizeof gone,
                                                             FileDispositionInformation) >= 0;
    file.Close();
    return deleted;
}
