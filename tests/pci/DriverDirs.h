// The three places PCI_NT may write its driver file, made safe to watch: the
// temporary directory (through TMP) and the current directory point at fresh
// scratch directories while the object lives, and no driver file is left in
// the system directory before or after.
#pragma once

#include "driver/PCIUtilIoctl.h"
#include "support/TempDir.h"

#include <string>

class DriverDirs {
public:
    DriverDirs();
    ~DriverDirs();
    DriverDirs(const DriverDirs&) = delete;
    DriverDirs& operator=(const DriverDirs&) = delete;

    std::string InTemp() const { return temp / PCIUTIL_FILE_NAME; }
    std::string InSystem() const;
    std::string InCurrent() const { return current / PCIUTIL_FILE_NAME; }

    TempDir temp, current;

private:
    std::string savedTmp, savedCurrent;
    bool hadTmp;
};
