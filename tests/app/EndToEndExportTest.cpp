// The report written to a file for a script to collect: the values the
// report shows, in a file a real JSON parser reads back, and exit codes that
// say what happened.
#include "EndToEnd.h"
#include "SysReportVersion.h"

#include "support/Wine.h"
#include "win/TextEncoding.h"

#include <nlohmann/json.hpp>

#include <regex>

namespace {

using Json = nlohmann::ordered_json;

// A script string's text, which is ASCII, with its escapes undone, in UTF-8.
std::string Unescaped(const std::string& literal) {
    std::string text;
    for (size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] != '\\')
            text += literal[i];
        else if (literal[++i] == 'x')
            text += char(std::stoi(literal.substr(++i, 2), nullptr, 16)), ++i;
        else if (literal[i] == 'u') {
            wchar_t unit = wchar_t(std::stoi(literal.substr(i + 1, 4), nullptr, 16));
            text += Utf16ToUtf8(&unit, 1), i += 4;
        } else
            text += literal[i];
    }
    return text;
}

// What input.txt's assignments leave in each variable, in the order they
// first appear: numbers, and texts in UTF-8.
Json ScriptValues(const std::string& input) {
    std::string section = input.substr(0, input.find("/*ENDVARS*/"));
    std::regex assignment(R"re((\w+) *=(?:0x([0-9A-F]+)|"((?:[^"\\]|\\.)*)");)re");
    Json values = Json::object();
    for (std::sregex_iterator m(section.begin(), section.end(), assignment), end; m != end; ++m)
        if ((*m)[2].matched)
            values[(*m)[1].str()] = std::stoul((*m)[2].str(), nullptr, 16);
        else
            values[(*m)[1].str()] = Unescaped((*m)[3].str());
    return values;
}

} // namespace

TEST_F(EndToEnd, JsonExportHoldsWhatTheReportShows) {
    StandInSetupLibrary library;
    ASSERT_TRUE(library.installed);
    ASSERT_TRUE(Run(SYSREPORT_EXE, "/nodriver").boxes.empty());
    std::string input = Captured("input.txt");
    DeleteFileA((capture + "\\cmdline.txt").c_str());

    const std::string file = work + "\\pc 12.json";
    ProgramOutcome outcome = Run(SYSREPORT_EXE, "-NoDriver /EXPORT \"pc 12.json\"");
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_FALSE(HostRan());
    Json report = Json::parse(ReadFileBytes(file));
    DeleteFileA(file.c_str());
    ExpectNothingLeft();

    std::vector<std::string> members;
    for (const auto& member : report.items())
        members.push_back(member.key());
    EXPECT_EQ((std::vector<std::string>{"format", "utility", "version", "computer", "time",
                                        "access", "values"}),
              members);
    EXPECT_EQ(1, report["format"]);
    EXPECT_EQ("SysReport", report["utility"]);
    EXPECT_EQ(SYSREPORT_VERSION, report["version"]);
    EXPECT_FALSE(report["computer"].get<std::string>().empty());
    EXPECT_TRUE(std::regex_match(report["time"].get<std::string>(),
                                 std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)")));
    EXPECT_EQ("device tree", report["access"]);
    EXPECT_EQ(ScriptValues(input), report["values"]);
    // Quote, backslash, control bytes and é come back as the driver gave them.
    EXPECT_EQ("Zarnik \"WaveLink\" 310\\A\x01\tB\xC3\xA9 </script><b>x",
              report["values"]["WaveLink310Name"]);
    EXPECT_EQ(0x7A3E, report["values"]["VendorID"]);

    // Through the driver, which leaves nothing behind either.
    EXPECT_EQ(0u, Run(SYSREPORT_EXE, "/export pc.json").exitCode);
    EXPECT_EQ("driver", Json::parse(ReadFileBytes(work + "\\pc.json"))["access"]);
    DeleteFileA((work + "\\pc.json").c_str());
    ExpectNothingLeft();
}

// Nothing shown, nothing left, and the code says why; a failure's record
// goes to the log asked for.
TEST_F(EndToEnd, ExportFailuresSayWhyInTheExitCode) {
    const std::string broken = PatchedCopy(
        [](std::vector<Resource>& resources) { Drop(resources, "DATAFILE", "INPUT_FILE"); });
    CreateDirectoryA((work + "\\taken.json").c_str(), nullptr);
    // A log that leads to another's file: a symbolic link, or under Wine,
    // which follows a Unix link like the file it leads to and tells nothing
    // of it, a second name of the file.
    const std::string theirs = work + "\\theirs.txt", link = work + "\\link.txt";
    WriteFileBytes(theirs, "theirs");
    ASSERT_TRUE((!RunningUnderWine() &&
                 CreateSymbolicLinkA(link.c_str(), "theirs.txt",
                                     SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) ||
                CreateHardLinkA(link.c_str(), theirs.c_str(), nullptr));
    const struct {
        std::string exe, arguments;
        DWORD code;
    } cases[] = {{SYSREPORT_EXE, "/export", 3},
                 {SYSREPORT_EXE, "/export pc.txt", 3},
                 {SYSREPORT_EXE, "/export missing\\pc.json", 2},
                 {SYSREPORT_EXE, "/export taken.json", 2},
                 {broken, "/export pc.json /log link.txt", 2},
                 {broken, "/export pc.json /log \"error log.txt\"", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        ProgramOutcome outcome = Run(c.exe, c.arguments);
        EXPECT_EQ(c.code, outcome.exitCode);
        EXPECT_TRUE(outcome.boxes.empty());
        EXPECT_FALSE(HostRan());
        EXPECT_FALSE(FileExists(work + "\\pc.json"));
        EXPECT_FALSE(FileExists(work + "\\pc.txt"));
        ExpectNothingLeft();
    }
    EXPECT_TRUE(RemoveDirectoryA((work + "\\taken.json").c_str()));
    EXPECT_EQ("theirs", ReadFileBytes(theirs));
    std::string log = ReadFileBytes(work + "\\error log.txt");
    EXPECT_EQ(0u, log.find("Missing resource\r\n")) << log;
}

TEST_F(EndToEnd, HelpListsTheOptionsAndDoesNothingElse) {
    ProgramOutcome outcome = Run(SYSREPORT_EXE, "/export pc.json -?");
    EXPECT_EQ(0u, outcome.exitCode);
    ASSERT_EQ(1u, outcome.boxes.size());
    EXPECT_EQ("SysReport", outcome.boxes[0].caption);
    EXPECT_NE(std::string::npos, outcome.boxes[0].text.find("/export FILE"));
    EXPECT_FALSE(HostRan());
    EXPECT_FALSE(FileExists(work + "\\pc.json"));
    ExpectNothingLeft();
}
