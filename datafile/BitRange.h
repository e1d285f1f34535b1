// The bits high..low (inclusive) that a PCI statement takes from the
// register it reads.
#pragma once

#include <cstdint>
#include <string>

class BitRange {
public:
    // `text` starts at the "[" of "[high:low]" or "[n]"; an empty text, or
    // one without a closing "]", means the whole register. The two
    // positions may come in either order.
    explicit BitRange(const std::string& text = std::string());

    // Bits high..low of `value`, shifted down to bit 0. Positions count
    // modulo 32.
    uint32_t Extract(uint32_t value) const;

    uint32_t high = 31;
    uint32_t low = 0;
};
