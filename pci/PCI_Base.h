// PCI configuration access: one dword of a function's configuration space
// per Read, however the platform lets us reach it.
#pragma once

#include <cstdint>

class PCI_Base {
public:
    // Any four byte values are accepted: device keeps its low 5 bits,
    // function its low 3, offset bits 7..2 (the dword that holds the byte).
    // What a read that can't be served gives depends on the access:
    // PCI_NT throws Except_Driver when the device can't be opened or answers
    // with less than the whole record; PCI_PnP never throws and answers all
    // ones for a function the tree doesn't list and for every register its
    // identifiers don't give; PCI_Direct answers whatever the bus does, all
    // ones for an absent function.
    virtual uint32_t Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) = 0;
    virtual ~PCI_Base() = default;
    // Called once by the factory, before any Read.
    virtual void Init() {}
    // How the registers are reached: "ports", "driver" or "device tree".
    virtual const char* AccessName() const = 0;
};
