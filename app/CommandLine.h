// What the command line may ask for; every other word on it is ignored.
#pragma once

#include <string>

// What an export file holds, by its extension.
enum class ExportFormat {
    None, // no export asked for
    Json, // .json
    Page, // .htm or .html: the report page with its script inside
};

struct CommandLine {
    bool noDriver = false; // /nodriver
    bool help = false;     // /?
    // An option without its file, or an export file of another extension.
    bool bad = false;
    std::string exportPath; // /export FILE, as given
    ExportFormat format = ExportFormat::None;
    std::string logPath; // /log FILE, as given
};

// `commandLine` is WinMain's, without the program name; may be null. It is
// split into words the way the C run-time splits argv: white space between
// words, double quotes group, 2n backslashes before a quote stand for n and
// the quote groups, 2n+1 for n and a literal quote, other backslashes are
// literal. An option is a word of its own, "/" or "-" and its name in any
// ASCII case: nodriver, export, log, ?. The FILE of export and log is the
// next word; one that is missing, empty or itself an option makes the line
// bad and is not taken. A later export or log replaces an earlier one.
CommandLine ParseCommandLine(const char* commandLine);


// The text of the box that /? shows: the options, one line each, and the
// exit codes.
const char* UsageText();
