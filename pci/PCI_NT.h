// PCI access through the PCIUtil kernel driver, which this object writes
// out from the program's resources, installs as a service for its own
// lifetime and removes again.
#pragma once

#include "pci/PCI_Base.h"
#include "win/ServiceHandle.h"

#include <string>

class RcLdr;

class PCI_NT : public PCI_Base {
public:
    // Touches neither files nor services. The loader must outlive us.
    explicit PCI_NT(RcLdr* loader) : loader(loader) {}
    // One control request per call, on a handle opened for it alone.
    // Throws Except_Driver.
    uint32_t Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) override;
    // Stops and deletes the service and deletes the driver file, if Init got
    // a service.
    ~PCI_NT() override;
    // Installs and starts the driver from the first of the temporary, system
    // and current directories where that works. Throws Except_NoAccess.
    void Init() override;

private:
    // Registers and starts the service for the file at driverPath, or opens
    // an existing one as it is. Throws Except_NoAccess.
    void InstallDriver();

    RcLdr* loader;
    std::string driverPath;
    ServiceHandle service;
};
