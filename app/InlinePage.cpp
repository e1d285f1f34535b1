#include "app/InlinePage.h"

#include "errors/Except.h"
#include "win/Ascii.h"

namespace {

const size_t none = std::string::npos;

// A start tag read from just after its name: where it ends (past its ">"),
// and its src attribute's span, the white space before it included.
struct StartTag {
    size_t end = none;
    size_t srcBegin = none;
    size_t srcEnd = none;
    std::string src;
};

StartTag ReadStartTag(const std::string& page, size_t at) {
    StartTag tag;
    auto skipSpace = [&] {
        while (at < page.size() && IsAsciiSpace(page[at]))
            ++at;
    };
    while (at < page.size()) {
        size_t begin = at;
        skipSpace();
        if (at < page.size() && page[at] == '>') {
            tag.end = at + 1;
            break;
        }
        size_t nameBegin = at;
        while (at < page.size() && !IsAsciiSpace(page[at]) && page[at] != '=' && page[at] != '>')
            ++at;
        std::string name = AsciiLower(page.substr(nameBegin, at - nameBegin));
        size_t nameEnd = at;
        skipSpace();
        std::string value;
        if (at < page.size() && page[at] == '=') {
            ++at;
            skipSpace();
            size_t valueBegin = at;
            if (at < page.size() && (page[at] == '"' || page[at] == '\'')) {
                at = page.find(page[at], at + 1);
                if (at == none)
                    break;
                value = page.substr(valueBegin + 1, at++ - valueBegin - 1);
            } else {
                while (at < page.size() && !IsAsciiSpace(page[at]) && page[at] != '>')
                    ++at;
                value = page.substr(valueBegin, at - valueBegin);
            }
        } else {
            // The white space after a bare name goes with what follows.
            at = nameEnd;
        }
        if (name == "src" && tag.srcBegin == none) {
            tag.srcBegin = begin;
            tag.srcEnd = at;
            tag.src = value;
        }
    }
    return tag;
}

// `script` with "<\/" for the "</" of each "</script".
std::string Escaped(const std::string& script) {
    std::string lower = AsciiLower(script);
    std::string out;
    size_t from = 0;
    for (size_t at = lower.find("</script"); at != none; at = lower.find("</script", at + 1)) {
        out.append(script, from, at + 1 - from);
        out += '\\';
        from = at + 1;
    }
    out.append(script, from, none);
    return out;
}

} // namespace

std::string SelfContainedPage(const std::string& page, const std::string& scriptText) {
    // Found in a lower-case copy, at the same places.
    std::string lower = AsciiLower(page);
    const char name[] = "<script";
    for (size_t open = lower.find(name); open != none; open = lower.find(name, open + 1)) {
        size_t at = open + sizeof name - 1;
        if (at < page.size() && !IsAsciiSpace(page[at]) && page[at] != '>')
            continue;
        StartTag tag = ReadStartTag(page, at);
        if (tag.end == none)
            break;
        if (AsciiLower(tag.src) != "input.txt")
            continue;
        size_t close = lower.find("</script", tag.end);
        if (close == none)
            break;
        return page.substr(0, tag.srcBegin) + page.substr(tag.srcEnd, tag.end - tag.srcEnd) +
               Escaped(scriptText) + page.substr(close);
    }
    throw Except_Base("Bad page template", "SelfContainedPage",
                      "No script element that loads input.txt");
}

std::string ReportPage(const std::string& pageTemplate, const std::vector<Assignment>& assignments,
                       const std::string& script) {
    return SelfContainedPage(pageTemplate, ScriptAssignments(assignments, true) + script);
}
