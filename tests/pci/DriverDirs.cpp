#include "DriverDirs.h"
#include "driver/PCIUtilIoctl.h"

#include "win/Paths.h"

#include <windows.h>

DriverDirs::DriverDirs() {
    char buf[32768];
    hadTmp = GetEnvironmentVariableA("TMP", buf, sizeof buf) > 0;
    savedTmp = hadTmp ? buf : "";
    GetCurrentDirectoryA(sizeof buf, buf);
    savedCurrent = buf;
    SetEnvironmentVariableA("TMP", (temp.Path() + "\\").c_str());
    SetCurrentDirectoryA(current.Path().c_str());
    DeleteFileA(InSystem().c_str());
}

DriverDirs::~DriverDirs() {
    DeleteFileA(InSystem().c_str());
    SetCurrentDirectoryA(savedCurrent.c_str());
    SetEnvironmentVariableA("TMP", hadTmp ? savedTmp.c_str() : nullptr);
}

std::string DriverDirs::InSystem() const {
    return GetSystemDir() + "\\" PCIUTIL_FILE_NAME;
}
