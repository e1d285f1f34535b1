/* Stands in for a VERSION.dll planted beside the program: every call of its
   A entry points is appended to the file that SYSREPORT_PLANT_TRACE names.
   The W entry points are there for the system's own libraries, which may
   take them from it; they answer as if nothing had a version. */
#include <windows.h>

static void Trace(const char* call) {
    char path[MAX_PATH];
    DWORD written;
    HANDLE file;
    if (!GetEnvironmentVariableA("SYSREPORT_PLANT_TRACE", path, sizeof path))
        return;
    file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    WriteFile(file, call, lstrlenA(call), &written, NULL);
    WriteFile(file, "\n", 1, &written, NULL);
    CloseHandle(file);
}

__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR name, LPDWORD handle) {
    (void)name;
    (void)handle;
    Trace("GetFileVersionInfoSizeA");
    return 0;
}

__declspec(dllexport) BOOL WINAPI
    GetFileVersionInfoA(LPCSTR name, DWORD handle, DWORD size, LPVOID data) {
    (void)name;
    (void)handle;
    (void)size;
    (void)data;
    Trace("GetFileVersionInfoA");
    return FALSE;
}

__declspec(dllexport) BOOL WINAPI
    VerQueryValueA(LPCVOID block, LPCSTR path, LPVOID* value, PUINT length) {
    (void)block;
    (void)path;
    (void)value;
    (void)length;
    Trace("VerQueryValueA");
    return FALSE;
}

__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR name, LPDWORD handle) {
    (void)name;
    (void)handle;
    return 0;
}

__declspec(dllexport) BOOL WINAPI
    GetFileVersionInfoW(LPCWSTR name, DWORD handle, DWORD size, LPVOID data) {
    (void)name;
    (void)handle;
    (void)size;
    (void)data;
    return FALSE;
}

__declspec(dllexport) BOOL WINAPI
    VerQueryValueW(LPCVOID block, LPCWSTR path, LPVOID* value, PUINT length) {
    (void)block;
    (void)path;
    (void)value;
    (void)length;
    return FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        Trace("loaded");
    return TRUE;
}
