// The report written to a file for a script to collect: the values the
// report shows, in a file a real JSON parser reads back, and exit codes that
// say what happened.
#include "EndToEnd.h"
#include "SysReportVersion.h"

#include "support/Wine.h"
#include "win/Handle.h"
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

// Starts `line` in `dir`, then waits (5 s at most) until `path` is there,
// or gone when `present` is false: Wine starts Unix programs too, but gives
// no handle to wait on for them.
PROCESS_INFORMATION Start(std::string line, const std::string& dir, const std::string& path = "",
                          bool present = true) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                   &started);
    for (int i = 0; i < 500 && !path.empty() && FileExists(path) != present; ++i)
        Sleep(10);
    return started;
}

struct Switch {
    std::string work, temp; // temp: the name of the run's new file, once caught
    PROCESS_INFORMATION run;
};

// Once the run's new file shows in "a", where the link "to" leads, the run
// is held. If the file is still there then, "to" is switched to "b" (ln
// replaces a link in one step) and a file of the new file's name is
// planted there; then the run goes on.
DWORD WINAPI SwitchWhileHeld(void* param) {
    auto& s = *static_cast<Switch*>(param);
    std::set<std::string> seen;
    while (seen.empty() && WaitForSingleObject(s.run.hProcess, 0) == WAIT_TIMEOUT)
        seen = Names(s.work + "\\a\\pc.json.~*");
    SuspendThread(s.run.hThread);
    Sleep(20); // the hold takes effect once the thread next runs
    if (!seen.empty() && FileExists(s.work + "\\a\\" + *seen.begin())) {
        s.temp = *seen.begin();
        Start("/bin/ln -sfn b to", s.work, s.work + "\\to\\" + s.temp, false);
        WriteFileBytes(s.work + "\\b\\" + s.temp, "planted");
    }
    ResumeThread(s.run.hThread);
    return 0;
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

// FILE's folder is reached through a Unix link that is switched, while the
// new file waits in that folder, to another folder holding a file of the
// new file's name: the report still takes FILE's name in the folder first
// reached, and the other folder's file stays where it is, as it was. Should
// the switch make the export fail, it fails with 2 and leaves nothing.
TEST_F(EndToEnd, ExportLandsInTheFolderFirstReachedThoughALinkSwitches) {
    ASSERT_TRUE(CreateDirectoryA((work + "\\a").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((work + "\\b").c_str(), nullptr));
    Start("/bin/ln -s a to", work, work + "\\to");
    // The new file lives for a moment only: runs until one is caught.
    Switch s{work, "", {}};
    DWORD code = 0;
    for (int i = 0; i < 10 && s.temp.empty(); ++i) {
        DeleteFileA((work + "\\a\\pc.json").c_str());
        s.run = Start("\"" SYSREPORT_EXE "\" /nodriver /export to\\pc.json", work);
        Handle process(s.run.hProcess), thread(s.run.hThread),
            racer(CreateThread(nullptr, 0, SwitchWhileHeld, &s, 0, nullptr));
        WaitForSingleObject(process.Get(), 60000);
        TerminateProcess(process.Get(), 1);
        GetExitCodeProcess(process.Get(), &code);
        WaitForSingleObject(racer.Get(), INFINITE);
    }
    ASSERT_FALSE(s.temp.empty()) << "no run was caught with its new file";
    EXPECT_EQ(std::set<std::string>{s.temp}, Names(work + "\\b\\*"));
    EXPECT_EQ("planted", ReadFileBytes(work + "\\b\\" + s.temp));
    EXPECT_TRUE(code == 2 || (code == 0 && Json::accept(ReadFileBytes(work + "\\a\\pc.json"))))
        << code;
    EXPECT_EQ(code ? std::set<std::string>() : std::set<std::string>{"pc.json"},
              Names(work + "\\a\\*"));
    ExpectNothingLeft();
    // A link to a folder is more than Wine deletes.
    Start("/bin/rm to", work, work + "\\to", false);
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
