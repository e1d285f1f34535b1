#include "app/CommandLine.h"

#include "win/Ascii.h"

#include <windows.h>

#include <vector>

namespace {

enum class Option { None, NoDriver, Help, Export, Log };

// One word from `at` on, unquoted; `at` moves past it.
std::string NextWord(const char*& at) {
    std::string word;
    bool quoted = false;
    while (*at && (quoted || !IsAsciiSpace(*at))) {
        if (*at == '\\') {
            size_t slashes = 0;
            for (; *at == '\\'; ++at)
                ++slashes;
            // Before a quote, a pair stands for one; an odd one out makes
            // the quote literal. Elsewhere every backslash stands for itself.
            word.append(*at == '"' ? slashes / 2 : slashes, '\\');
            if (*at == '"' && slashes % 2) {
                word += '"';
                ++at;
            }
        } else if (*at == '"') {
            quoted = !quoted;
            ++at;
        } else {
            // A double-byte character whole: its trail byte may look like a
            // backslash.
            const char* next = CharNextA(at);
            word.append(at, next);
            at = next;
        }
    }
    return word;
}

std::vector<std::string> SplitWords(const char* line) {
    std::vector<std::string> words;
    for (const char* at = line; at && *at;) {
        while (IsAsciiSpace(*at))
            ++at;
        if (*at)
            words.push_back(NextWord(at));
    }
    return words;
}

Option OptionOf(const std::string& word) {
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-'))
        return Option::None;
    std::string name = AsciiLower(word.substr(1));
    if (name == "nodriver")
        return Option::NoDriver;
    if (name == "?")
        return Option::Help;
    if (name == "export")
        return Option::Export;
    if (name == "log")
        return Option::Log;
    return Option::None;
}

// By the text after the last dot of the file's own name.
ExportFormat FormatOf(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos)
        return ExportFormat::None;
    std::string extension = AsciiLower(path.substr(dot + 1));
    if (extension == "json")
        return ExportFormat::Json;
    if (extension == "htm" || extension == "html")
        return ExportFormat::Page;
    return ExportFormat::None;
}

} // namespace

CommandLine ParseCommandLine(const char* commandLine) {
    CommandLine line;
    std::vector<std::string> words = SplitWords(commandLine);
    for (size_t i = 0; i < words.size(); ++i) {
        Option option = OptionOf(words[i]);
        if (option == Option::NoDriver)
            line.noDriver = true;
        if (option == Option::Help)
            line.help = true;
        if (option != Option::Export && option != Option::Log)
            continue;
        if (i + 1 == words.size() || words[i + 1].empty() ||
            OptionOf(words[i + 1]) != Option::None) {
            line.bad = true;
            continue;
        }
        const std::string& file = words[++i];
        if (option == Option::Log) {
            line.logPath = file;
            continue;
        }
        line.exportPath = file;
        line.format = FormatOf(file);
        if (line.format == ExportFormat::None)
            line.bad = true;
    }
    return line;
}

const char* UsageText() {
    return "SysReport [/nodriver] [/export FILE.json|FILE.htm] [/log FILE]\n"
           "\n"
           "/nodriver  read PCI devices from the device tree, without the driver\n"
           "/export FILE  write the report to FILE and show nothing: JSON for .json,\n"
           "    a web page for .htm or .html\n"
           "/log FILE  append a record of each error to FILE\n"
           "/?  show this text\n"
           "\n"
           "Options start with / or - and may be in any case.\n"
           "Exit code: 0 report written, 1 hardware or other failure,\n"
           "2 FILE couldn't be written, 3 bad command line.";
}
