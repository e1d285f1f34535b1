#include "win/DeleteOpenFile.h"

#include "win/Native.h"

bool DeleteOpenFile(Handle& file, const std::string& path) {
    // The documented way through a handle came only with Vista.
    const NativeApi* api = Native();
    if (!api) {
        file.Close();
        return DeleteFileA(path.c_str()) != 0;
    }
    if (!file.Valid()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    IO_STATUS_BLOCK io = {};
    BOOLEAN gone = TRUE;
    NTSTATUS status =
        api->NtSetInformationFile(file.Get(), &io, &gone, sizeof gone, FileDispositionInformation);
    file.Close();
    // Set after the close, which must not overwrite it.
    if (status < 0)
        SetLastError(api->RtlNtStatusToDosError(status));
    return status >= 0;
}
