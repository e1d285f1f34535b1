#include "pci/PCI_Direct.h"

#include "driver/PCIUtilIoctl.h"

uint32_t PCI_Direct::Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) {
    uint32_t address = PCIConfigAddress(bus, device, function, offset);
    uint32_t value;
    // No lock: another user of the ports can slip in between the two accesses.
    __asm__ volatile("outl %0, %w1" : : "a"(address), "Nd"(uint16_t(PCI_CONFIG_ADDRESS_PORT)));
    __asm__ volatile("inl %w1, %0" : "=a"(value) : "Nd"(uint16_t(PCI_CONFIG_DATA_PORT)));
    return value;
}
