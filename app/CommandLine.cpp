#include "app/CommandLine.h"

#include <cstring>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

// ASCII only: a locale's case rules (a dotless i) must not change the answer.
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsNoDriver(const char* word, size_t length) {
    static const char name[] = "nodriver";
    if (length != 1 + std::strlen(name) || (word[0] != '/' && word[0] != '-'))
        return false;
    for (size_t i = 1; i < length; ++i)
        if (Lower(word[i]) != name[i - 1])
            return false;
    return true;
}

} // namespace

bool AsksForNoDriver(const char* commandLine) {
    if (!commandLine)
        return false;
    for (const char* at = commandLine; *at;) {
        while (IsSpace(*at))
            ++at;
        const char* end = at;
        while (*end && !IsSpace(*end))
            ++end;
        if (end != at && IsNoDriver(at, end - at))
            return true;
        at = end;
    }
    return false;
}
