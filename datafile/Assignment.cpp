#include "datafile/Assignment.h"

#include "datafile/Numbers.h"
#include "datafile/ScriptString.h"

namespace {

bool IsIdentifierChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$';
}

} // namespace

void AppendAssignment(std::string& out, const Assignment& a, bool inlineScript) {
    out += a.lead;
    if (a.isText) {
        out += '"';
        out += ScriptString(a.text, inlineScript);
        out += '"';
    } else {
        out += FormatHex(a.number);
    }
    out += ';';
}

std::string ScriptAssignments(const std::vector<Assignment>& assignments, bool inlineScript) {
    std::string out;
    for (const Assignment& a : assignments)
        AppendAssignment(out, a, inlineScript);
    return out;
}

std::string VariableName(const std::string& lead) {
    size_t end = lead.find_last_not_of(" =");
    if (end == std::string::npos)
        return std::string();
    size_t begin = end + 1;
    while (begin > 0 && IsIdentifierChar(lead[begin - 1]))
        --begin;
    return lead.substr(begin, end + 1 - begin);
}
