#include "win/DeleteOpenFile.h"

namespace {

// The native call every NT has; the documented one came only with Vista.
struct IoStatus {
    ULONG_PTR status;
    ULONG_PTR information;
};
using SetInformationFile = LONG(WINAPI*)(HANDLE, IoStatus*, void*, ULONG, int);
const int fileDispositionInformation = 13;

SetInformationFile NativeSetInformation() {
    // Mapped into every NT process from its start; never loaded from a path.
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll)
        return nullptr;
    return reinterpret_cast<SetInformationFile>(
        reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "NtSetInformationFile")));
}

} // namespace

bool DeleteOpenFile(Handle& file, const std::string& path) {
    SetInformationFile setInformation = NativeSetInformation();
    if (!setInformation) {
        file.Close();
        return DeleteFileA(path.c_str()) != 0;
    }
    IoStatus io = {};
    BOOLEAN gone = TRUE;
    bool deleted = file.Valid() && setInformation(file.Get(), &io, &gone, sizeof gone,
                                                  fileDispositionInformation) >= 0;
    file.Close();
    return deleted;
}
