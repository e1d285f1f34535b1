// Number texts of the data file: decimal in, hexadecimal out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads a decimal number at `from` the way atoi does: leading white space,
// an optional sign, digits up to the first other character; 0 without
// digits, clamped to the range of a 32-bit int. The result is that int's
// bit pattern. `from` may be the end of the text.
uint32_t ReadDecimal(const std::string& text, size_t from = 0);

// "0x" and upper-case hex digits without leading zeros: 0x0 ... 0xFFFFFFFF.
std::string FormatHex(uint32_t value);
