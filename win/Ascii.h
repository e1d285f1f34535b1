// The ASCII rules that the program's own words and escapes follow (options,
// tag and attribute names, numbers, hex escapes), whatever the code page or
// the locale says.
#pragma once

#include <string>

// Space, tab, line feed, vertical tab, form feed, carriage return.
inline bool IsAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A to Z folded to a to z, nothing else: no locale's rules (a dotless i)
// change a match.
inline std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// `value`'s last `digits` hex digits, upper-case, leading zeros included.
inline void AppendHex(std::string& out, unsigned long value, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    while (digits-- > 0)
        out += hex[(value >> (4 * digits)) & 0xF];
}
