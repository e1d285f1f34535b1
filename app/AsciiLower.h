// Case folding for the program's own words (options, tag and attribute
// names): ASCII only, so that no locale's rules (a dotless i) change a match.
#pragma once

#include <string>

inline std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}
