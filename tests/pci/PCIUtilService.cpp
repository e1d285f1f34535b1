#include "PCIUtilService.h"

const char pciutilService[] = "PCIUtil";

std::string DriverImage() {
    HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(113), "DRV");
    if (!res)
        return "";
    return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, res))),
                       SizeofResource(nullptr, res));
}
