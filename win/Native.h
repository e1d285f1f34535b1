// The native file calls every NT has, looked up in ntdll at run time:
// Windows 9x has no ntdll, and what they offer (opening a name relative to
// a folder's handle, a security descriptor at creation, renaming and
// deleting through a handle) has no documented counterpart on the oldest NT.
#pragma once

#include "win/Handle.h"
#include "win/WideString.h"

#include <windows.h>
#include <winternl.h>

#include <string>

// The status codes callers tell apart (ntstatus.h can't follow windows.h).
constexpr NTSTATUS statusNotImplemented = NTSTATUS(0xC0000002);
constexpr NTSTATUS statusNoSuchFile = NTSTATUS(0xC000000F);
constexpr NTSTATUS statusObjectNameInvalid = NTSTATUS(0xC0000033);
constexpr NTSTATUS statusObjectNameNotFound = NTSTATUS(0xC0000034);
constexpr NTSTATUS statusObjectNameCollision = NTSTATUS(0xC0000035);

struct NativeApi {
    decltype(&::NtCreateFile) NtCreateFile;
    decltype(&::NtSetInformationFile) NtSetInformationFile;
    decltype(&::NtQueryInformationFile) NtQueryInformationFile;
    decltype(&::RtlNtStatusToDosError) RtlNtStatusToDosError;
};

// The calls of the process's own ntdll, already mapped into every NT
// process; null where any is missing (Windows 9x).
const NativeApi* Native();

// NtCreateFile on `name`, relative to the folder `root` is open on, or with
// a null `root` an NT path ("\??\C:\dir"). Names are case-insensitive;
// `security`, when given, is the new object's descriptor. On success `out`
// owns the handle. statusNotImplemented without the native calls.
NTSTATUS NativeCreate(HANDLE root, const WideString& name, ACCESS_MASK access, ULONG share,
                      ULONG disposition, ULONG options, void* security, Handle& out);
