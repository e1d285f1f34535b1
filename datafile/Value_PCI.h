// One PCI configuration register: "bus,device,function,offset".
#pragma once

#include "datafile/Value_Base.h"

class Value_PCI : public Value_Base {
public:
    // Each number is read as atoi does and kept as its low eight bits;
    // missing numbers read 0. Everything after the third comma is the offset.
    Value_PCI(const std::string& args, std::unique_ptr<BitRange> range);

    // One Read; exceptions of the access object pass through.
    uint32_t Evaluate(PCI_Base& pci) override;

    uint8_t bus = 0;
    uint8_t device = 0;
    uint8_t function = 0;
    uint8_t offset = 0;
};
