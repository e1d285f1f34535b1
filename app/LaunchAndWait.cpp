#include "app/LaunchAndWait.h"

#include "win/Handle.h"

DWORD LaunchAndWait(char* commandLine, WORD showCommand, DWORD timeLimit, int terminate,
                    const char* currentDirectory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand;
    PROCESS_INFORMATION info = {};

    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP, nullptr, currentDirectory,
                        &startup, &info))
        return 0xFFFFFFFF;
    DWORD start = GetTickCount();
    CloseHandle(info.hThread);
    Handle process(info.hProcess);

    for (;;) {
        DWORD wait = WaitForSingleObject(process.Get(), 1000);
        if (timeLimit != 0 && GetTickCount() - start > timeLimit) {
            if (terminate)
                TerminateProcess(process.Get(), GetLastError());
            break;
        }
        // A failed wait would fail again at once: stop rather than spin.
        if (wait == WAIT_OBJECT_0 || wait == WAIT_FAILED)
            break;
    }

    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(process.Get(), &exitCode);
    return exitCode;
}
