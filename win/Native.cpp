#include "win/Native.h"

namespace {

template <class F> void Resolve(HMODULE module, const char* name, F& entry) {
    // Through the generic function type, which any entry point converts to.
    entry = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

NativeApi Lookup() {
    NativeApi api = {};
    // Mapped into every NT process from its start; never loaded from a path.
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll)
        return api;
    Resolve(ntdll, "NtCreateFile", api.NtCreateFile);
    Resolve(ntdll, "NtSetInformationFile", api.NtSetInformationFile);
    Resolve(ntdll, "NtQueryInformationFile", api.NtQueryInformationFile);
    Resolve(ntdll, "RtlNtStatusToDosError", api.RtlNtStatusToDosError);
    return api;
}

} // namespace

const NativeApi* Native() {
    static const NativeApi api = Lookup();
    return api.NtCreateFile && api.NtSetInformationFile && api.NtQueryInformationFile &&
                   api.RtlNtStatusToDosError
               ? &api
               : nullptr;
}

NTSTATUS NativeCreate(HANDLE root, const WideString& name, ACCESS_MASK access, ULONG share,
                      ULONG disposition, ULONG options, void* security, Handle& out) {
    const NativeApi* api = Native();
    if (!api)
        return statusNotImplemented;
    // A UNICODE_STRING counts its length in bytes, in 16 bits.
    if (name.size() > 0x7FFF)
        return statusObjectNameInvalid;
    UNICODE_STRING text;
    text.Buffer = const_cast<wchar_t*>(name.c_str());
    text.Length = USHORT(name.size() * sizeof(wchar_t));
    text.MaximumLength = text.Length;
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, root, security);
    IO_STATUS_BLOCK io = {};
    HANDLE handle = nullptr;
    NTSTATUS status =
        api->NtCreateFile(&handle, access, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL, share,
                          disposition, options, nullptr, 0);
    if (status >= 0)
        out.Reset(handle);
    return status;
}
