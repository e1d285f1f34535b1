// A value of the variable section: something read from the machine, then
// narrowed to a bit range.
#pragma once

#include "datafile/BitRange.h"

#include <cstdint>
#include <memory>
#include <string>

class PCI_Base;

class Value_Base {
public:
    Value_Base(std::string text, std::unique_ptr<BitRange> range);
    virtual ~Value_Base();
    Value_Base(const Value_Base&) = delete;
    Value_Base& operator=(const Value_Base&) = delete;

    virtual uint32_t Evaluate(PCI_Base& pci) = 0;

    std::string text; // the argument text the value was built from
    std::unique_ptr<BitRange> range;
};
