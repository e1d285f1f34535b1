// PCI access through the PCIUtil kernel driver, which this object writes
// out from the program's resources, installs as a service for its own
// lifetime and removes again. The file lives only in the system directory.
// It never changes a driver file or a service that is not its own: ours is a
// file with exactly the driver's bytes, and a kernel-driver service
// registered for that file while the file is ours.
#pragma once

#include "pci/PCI_Base.h"
#include "win/NamedClaim.h"
#include "win/ServiceHandle.h"

#include <optional>
#include <string>

class RcLdr;

class PCI_NT : public PCI_Base {
public:
    // What carries a Read's request to the opened device: DeviceIoControl.
    using DeviceCall = decltype(&::DeviceIoControl);

    // Touches neither files nor services. The loader must outlive us.
    explicit PCI_NT(RcLdr* loader, DeviceCall call = ::DeviceIoControl)
        : loader(loader), call(call) {}
    // One control request per call, on a handle opened for it alone.
    uint32_t Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) override;
    // Removes what Init installed.
    ~PCI_NT() override;
    // Installs and starts the driver from the system directory; a leftover
    // of a killed run is taken over. Throws Except_MissingResource without a
    // driver image, Except_NoAccess otherwise: then whatever Init made or
    // took over is removed again, and a foreign file or service is left
    // exactly as found.
    void Init() override;
    const char* AccessName() const override { return "driver"; }

private:
    // Keeps an existing PCIUtil service, stopped, when it is a leftover of
    // ours: one for `path` while the file there has proved ours. Throws
    // Except_NoAccess, leaving any other as it is.
    void TakeOverLeftover(SC_HANDLE manager, const std::string& path, bool fileOurs);
    // Stops and deletes the service, and deletes the driver file once it
    // has proved ours or was written here, if it still holds our bytes.
    // What can't be removed is logged.
    void Remove();
    // Points the service, created if need be, at `path` and starts it.
    bool InstallDriver(SC_HANDLE manager, const std::string& path);

    RcLdr* loader;
    DeviceCall call;
    // Keeps a second run from taking this one's service for a leftover.
    std::optional<NamedClaim> claim;
    std::string driverPath;
    // The driver image's bytes, which the file must still hold to be deleted.
    std::string ourBytes;
    ServiceHandle service;
};
