// The report as a JSON document (UTF-8, no byte order mark), for programs
// that read it rather than a person.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// One value of the report: a number, or a text in UTF-8.
struct JsonValue {
    std::string name;
    bool isNumber = false;
    uint32_t number = 0;
    std::string text;
};

// What the report says about itself; every text in UTF-8.
struct JsonReportHead {
    std::string version;  // the utility's
    std::string computer; // the machine's name
    std::string time;     // UtcTimestamp's form
    std::string access;   // how the PCI registers were read
};

// `utf8` as a JSON string, quotes included: double quote and backslash
// behind a backslash; every byte below 0x20 as \b \f \n \r \t or \u00XX,
// and 0x7F as \u007F; every other byte, those of UTF-8 sequences included,
// as it is.
std::string JsonString(const std::string& utf8);

// One object: "format": 1, "utility": "SysReport", the head's members in
// its order, then "values", an object with one member per value in the
// order given; a name given again keeps its first place and takes its last
// value. Numbers as decimal integers. Indented by two spaces, LF line ends,
// a line end at the end.
std::string JsonReport(const JsonReportHead& head, const std::vector<JsonValue>& values);

// "YYYY-MM-DDThh:mm:ssZ" from a time in UTC, as GetSystemTime gives it.
std::string UtcTimestamp(const SYSTEMTIME& time);
