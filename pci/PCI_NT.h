// PCI access through the PCIUtil kernel driver, which this object writes
// out from the program's resources, installs as a service for its own
// lifetime and removes again. It never changes a driver file or a service
// that is not its own: ours is a file with exactly the driver's bytes, and a
// kernel-driver service registered for one of the candidate files.
#pragma once

#include "pci/PCI_Base.h"
#include "win/NamedClaim.h"
#include "win/ServiceHandle.h"

#include <optional>
#include <string>
#include <vector>

class RcLdr;

class PCI_NT : public PCI_Base {
public:
    // Touches neither files nor services. The loader must outlive us.
    explicit PCI_NT(RcLdr* loader) : loader(loader) {}
    // One control request per call, on a handle opened for it alone; only a
    // whole answer counts. Throws Except_Driver.
    uint32_t Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) override;
    // Stops and deletes the service and deletes the driver file, if Init got
    // a service.
    ~PCI_NT() override;
    // Installs and starts the driver from the first of the temporary, system
    // and current directories where that works; a leftover of a killed run
    // is taken over. Throws Except_MissingResource without a driver image,
    // Except_NoAccess otherwise.
    void Init() override;

private:
    // Keeps an existing PCIUtil service, stopped, when it is a leftover of
    // ours. Throws Except_NoAccess, leaving any other as it is.
    void TakeOverLeftover(SC_HANDLE manager, const std::vector<std::string>& candidates);
    // Points the service, created if need be, at `path` and starts it.
    bool InstallDriver(SC_HANDLE manager, const std::string& path);

    RcLdr* loader;
    // Keeps a second run from taking this one's service for a leftover.
    std::optional<NamedClaim> claim;
    std::string driverPath;
    ServiceHandle service;
};
