// PCI access through the configuration ports, from the application itself.
// Only for platforms that let an application reach the ports.
#pragma once

#include "pci/PCI_Base.h"

class PCI_Direct : public PCI_Base {
public:
    uint32_t Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) override;
    const char* AccessName() const override { return "ports"; }
};
