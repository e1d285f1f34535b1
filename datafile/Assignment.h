// What a run reads from the machine: one value per variable the generated
// script assigns, and the script text that carries them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Assignment {
    // The script's text in front of the value: whatever stands before the
    // statement's name (line breaks, comments), the name, "=".
    std::string lead;
    // The variable assigned.
    std::string name;
    bool isText = false;
    uint32_t number = 0;
    // As the machine gave it, in the ANSI code page.
    std::string text;
};

// The assignment as the generated script writes it, ended by ";", appended
// to `out`: a number in hex, a text as a double-quoted string that no text
// can end early, in ASCII alone, which means the same in every code page.
// With `inlineScript`, "<" in a text is escaped too, so that none can close
// the page's script element.
void AppendAssignment(std::string& out, const Assignment& assignment, bool inlineScript = false);
// All of them, in order.
std::string ScriptAssignments(const std::vector<Assignment>& assignments,
                              bool inlineScript = false);

// The variable that the text in front of a statement's "=" names: the
// identifier it ends with, trailing spaces aside.
std::string VariableName(const std::string& lead);
