// PCI access without a driver: the registers that the Plug and Play device
// tree's identifiers give away, read once from the tree at Init. Installs
// nothing and needs no rights, so it works where the driver can't load.
#pragma once

#include "pci/PCI_Base.h"

#include <cstdint>
#include <map>

struct SetupApi;

class PCI_PnP : public PCI_Base {
public:
    // Reads the tree through the system's own setup library.
    PCI_PnP() = default;
    // Through these entry points instead; they must outlive Init.
    explicit PCI_PnP(const SetupApi& api) : api(&api) {}

    // Offsets 0 (device and vendor), 8 (class code and revision) and 0x2C
    // (subsystem) of a function the tree lists, each from an identifier field
    // that is there and well formed.
    uint32_t Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) override;
    // Lists the present devices of the PCI enumerator, once. Throws
    // Except_NoAccess when the library is missing, lacks the listing
    // entries, or the listing fails, at its start or partway.
    void Init() override;
    const char* AccessName() const override { return "device tree"; }

private:
    struct Registers {
        uint32_t id = 0xFFFFFFFF;
        uint32_t classRevision = 0xFFFFFFFF;
        uint32_t subsystem = 0xFFFFFFFF;
    };

    void List(const SetupApi& api);

    const SetupApi* api = nullptr;
    // By configuration address at offset 0.
    std::map<uint32_t, Registers> functions;
};
