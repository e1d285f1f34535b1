#include "datafile/BitRange.h"

#include "datafile/Numbers.h"

#include <utility>

BitRange::BitRange(const std::string& text) {
    if (text.empty())
        return;
    size_t open = text.find('[');
    size_t close = text.find(']');
    if (open == std::string::npos || close == std::string::npos || close == 0)
        return;

    // A "]" before the "[" leaves the rest of the text as the inside.
    std::string inside = text.substr(open + 1, close - open - 1);
    size_t colon = inside.find(':');
    if (colon == std::string::npos) {
        high = low = ReadDecimal(inside);
    } else {
        high = ReadDecimal(inside); // the number ends at the ":"
        low = ReadDecimal(inside, colon + 1);
    }
    if (low > high)
        std::swap(high, low);
}

uint32_t BitRange::Extract(uint32_t value) const {
    uint32_t mask = 0xFFFFFFFFu >> ((31 - high) & 31);
    return (value & mask) >> (low & 31);
}
