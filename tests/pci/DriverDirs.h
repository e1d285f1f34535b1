// Where PCI_NT writes its driver file, the system directory, kept free of it
// before and after; and the two folders a user controls, the temporary
// directory (through TMP) and the current directory, pointed at fresh
// scratch directories while the object lives, so that a test can see the
// file never goes there.
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
