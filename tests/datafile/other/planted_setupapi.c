/* Stands in for a SetupApi.dll planted beside the program: loading it leaves
   a trace in the environment of the process. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        SetEnvironmentVariableA("PLANTED_SETUPAPI_LOADED", "1");
    return TRUE;
}
