// The data file's two sections, divided by the first "/*ENDVARS*/".
#pragma once

#include <string>

struct DataFileSections {
    std::string variables; // every byte before the marker
    std::string script;    // the marker and every byte after it
};

extern const char endVarsMarker[]; // "/*ENDVARS*/"

// Splits at the first marker; a second one is part of the script. Throws
// std::out_of_range when there is none.
DataFileSections SplitDataFile(const std::string& file);
