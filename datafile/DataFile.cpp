#include "datafile/DataFile.h"

#include <stdexcept>

const char endVarsMarker[] = "/*ENDVARS*/";

DataFileSections SplitDataFile(const std::string& file) {
    size_t marker = file.find(endVarsMarker);
    if (marker == std::string::npos)
        throw std::out_of_range("invalid string position");
    return {file.substr(0, marker), file.substr(marker)};
}
