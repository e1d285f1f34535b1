// The program's main paths: the report, its files, the host, the
// resources it needs.
#include "EndToEnd.h"
#include "SysReportVersion.h"
#include "driver/PCIUtilIoctl.h"

#include "support/Wine.h"

#include <functional>
#include <regex>
#include <sstream>
#include <tuple>
#include <utility>

TEST_F(EndToEnd, NormalRunShowsReportAndLeavesNothing) {
    ProgramOutcome outcome = Run();
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_TRUE(outcome.boxes.empty());
    ASSERT_TRUE(HostRan());

    std::string host = GetSystemDir() + "\\mshta.exe";
    EXPECT_STRCASEEQ(host.c_str(), Captured("module.txt").c_str());
    // The page, in the folder the host starts in.
    EXPECT_EQ("\"" + host + "\" \"" + Captured("cwd.txt") + "\\output.hta\"",
              Captured("cmdline.txt"));

    // Under Wine no register is backed by hardware (reads give 0, or all
    // ones where the driver can't reach the ports) and no installed driver is
    // found; anywhere, the version is the program's own and the script
    // section follows unchanged.
    std::string data = DataFile(), input = Captured("input.txt");
    size_t marker = data.find("/*ENDVARS*/"), split = input.find("/*ENDVARS*/");
    ASSERT_NE(std::string::npos, marker);
    ASSERT_NE(std::string::npos, split);
    EXPECT_EQ(data.substr(marker), input.substr(split));
    std::istringstream lines(input.substr(0, split));
    const bool wine = RunningUnderWine();
    std::regex pci(wine ? "\\w+ +=0x(0|F+);" : "\\w+ +=0x[0-9A-F]+;"),
        version(wine ? "\\w+Version=\"\";" : "\\w+Version=\".*\";"),
        name(wine ? "\\w+Name=\"\";" : "\\w+Name=\".*\";");
    int pcis = 0, versions = 0, names = 0;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (std::regex_match(line, pci))
            ++pcis;
        else if (std::regex_match(line, version))
            ++versions;
        else if (std::regex_match(line, name))
            ++names;
        else
            EXPECT_EQ("UTILITY_VERSION =\"" SYSREPORT_VERSION "\";", line);
    }
    // One line per register the data file reads, two per driver it asks for.
    std::string variables = data.substr(0, marker);
    auto statements = [&variables](const std::regex& form) {
        return std::distance(std::sregex_iterator(variables.begin(), variables.end(), form),
                             std::sregex_iterator());
    };
    EXPECT_EQ(statements(std::regex("= *PCI\\(")), pcis);
    EXPECT_EQ(statements(std::regex("= *DRIVER\\(")), versions);
    EXPECT_EQ(versions, names);
    // The driver was gone before the report opened.
    EXPECT_EQ("", Captured("driver.txt"));
    ExpectNothingLeft();
}

// Each run makes a new folder of its own for its files, starts the host in
// it and removes it. Files of the report's names in the current folder are
// none of the run's business.
TEST_F(EndToEnd, EachRunHasANewFolderOfItsOwnAndLeavesTheCurrentOneAlone) {
    const std::string data = DataFile(),
                      planted = "STALE=0x1;\r\n" + data.substr(data.find("/*ENDVARS*/"));
    for (const char* name : {"\\input.txt", "\\output.hta"})
        WriteFileBytes(work + name, planted);
    std::set<std::string> made;
    for (int run = 0; run < 2; ++run) {
        DeleteFileA((capture + "\\cwd.txt").c_str());
        EXPECT_TRUE(Run().boxes.empty());
        const std::string folder = Captured("cwd.txt");
        made.insert(folder);
        EXPECT_EQ(ReportParent(), folder.substr(0, folder.rfind('\\')));
        EXPECT_TRUE(std::regex_match(folder.substr(folder.rfind('\\') + 1),
                                     std::regex("SysReport\\.[0-9A-F]{8}")));
        // The icon the page names, beside it.
        EXPECT_EQ(0u, Captured("SysReport.ico").find(std::string("\0\0\1\0", 4)));
    }
    EXPECT_EQ(2u, made.size());
    EXPECT_EQ((std::set<std::string>{"input.txt", "output.hta"}), Names(work + "\\*"));
    for (const char* name : {"\\input.txt", "\\output.hta"}) {
        EXPECT_EQ(planted, ReadFileBytes(work + name));
        DeleteFileA((work + name).c_str());
    }
    ExpectNothingLeft();
}

// A data file without its marker, or no template or data file at all, is an
// error and writes nothing; without its driver image the program reports
// from the device tree.
TEST_F(EndToEnd, BrokenOrMissingResources) {
    using Change = std::function<void(std::vector<Resource>&)>;
    const std::tuple<const char*, bool, Change> changes[] = {
        {"data file without marker", true,
         [](std::vector<Resource>& resources) {
             for (Resource& r : resources)
                 if (r.type == "DATAFILE") {
                     size_t at = r.bytes.find("/*ENDVARS*/");
                     ASSERT_NE(std::string::npos, at);
                     r.bytes.replace(at, 11, "/*NOMARK!*/");
                 }
         }},
        {"no template", true, [](std::vector<Resource>& r) { Drop(r, "HTMLFILE", "OUTPUT_FILE"); }},
        {"no data file", true, [](std::vector<Resource>& r) { Drop(r, "DATAFILE", "INPUT_FILE"); }},
        {"no driver image", false,
         [](std::vector<Resource>& r) {
             Drop(r, PCIUTIL_RESOURCE_TYPE_TEXT, "#" PCIUTIL_TEXT(PCIUTIL_RESOURCE_ID));
         }},
    };
    for (const auto& [what, fatal, change] : changes) {
        SCOPED_TRACE(what);
        ProgramOutcome outcome = Run(PatchedCopy(change));
        EXPECT_EQ(fatal, !outcome.boxes.empty());
        if (fatal)
            ExpectOneErrorBox(outcome);
        EXPECT_EQ(!fatal, HostRan());
        ExpectNothingLeft();
    }
}

// Once the files are written, a host that can't start is an error: the
// files go, and so does everything else.
TEST_F(EndToEnd, MissingHostIsAnErrorAndLeavesNothing) {
    std::string host = GetSystemDir() + "\\mshta.exe", away = scratch / "mshta.exe";
    ASSERT_TRUE(MoveFileA(host.c_str(), away.c_str()));
    ProgramOutcome outcome = Run();
    ASSERT_TRUE(MoveFileA(away.c_str(), host.c_str()));
    ExpectOneErrorBox(outcome);
    ExpectNothingLeft();
}

// Hosts beside the program and in the current folder, and a VERSION.dll
// beside the program: the system's host runs, and the system's library
// answers the program.
TEST_F(EndToEnd, PlantedHostsAndLibraryGetNoUse) {
    std::string prog = scratch / "prog", exe = prog + "\\SysReport.exe";
    CreateDirectoryA(prog.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(SYSREPORT_EXE, exe.c_str(), FALSE));
    const std::pair<std::string, std::string> plants[] = {
        {SYSREPORT_HOST, prog + "\\mshta.exe"},
        {SYSREPORT_HOST, work + "\\mshta.exe"},
        {BesideThisTest("planted_version.dll"), prog + "\\version.dll"}};
    for (const auto& [file, at] : plants)
        ASSERT_TRUE(CopyFileA(file.c_str(), at.c_str(), FALSE)) << at;
    std::string trace = scratch / "trace.txt";
    SetEnvironmentVariableA("SYSREPORT_PLANT_TRACE", trace.c_str());
    // For this program only, a copy beside it is preferred to the system's
    // when the library is asked for by name, as on Windows.
    ASSERT_TRUE(SetProgramOverride("SysReport.exe", "version", "native,builtin"));
    ProgramOutcome outcome = Run(exe);
    ClearProgramOverride("SysReport.exe", "version");
    SetEnvironmentVariableA("SYSREPORT_PLANT_TRACE", nullptr);

    EXPECT_TRUE(outcome.boxes.empty());
    ASSERT_TRUE(HostRan());
    EXPECT_STRCASEEQ((GetSystemDir() + "\\mshta.exe").c_str(), Captured("module.txt").c_str());
    EXPECT_NE(std::string::npos,
              Captured("input.txt").find("UTILITY_VERSION =\"" SYSREPORT_VERSION "\";"));
    // The system's own libraries may load the plant; the program's calls
    // never reach it.
    std::string calls = FileExists(trace) ? ReadFileBytes(trace) : "";
    EXPECT_EQ(std::string::npos, calls.find("A\n")) << calls;
    DeleteFileA((work + "\\mshta.exe").c_str());
    ExpectNothingLeft();
}

// A report folder that can't be made is the write error the user is told
// of, before any host runs, and nothing is left.
TEST_F(EndToEnd, ReportFolderThatCantBeMadeSaysSoWithoutHost) {
    const std::string parent = ReportParent(), aside = parent + ".aside";
    ASSERT_TRUE(MoveFileA(parent.c_str(), aside.c_str()));
    WriteFileBytes(parent, "not a folder");
    ProgramOutcome outcome = Run();
    DeleteFileA(parent.c_str());
    ASSERT_TRUE(MoveFileA(aside.c_str(), parent.c_str()));
    ASSERT_EQ(1u, outcome.boxes.size());
    EXPECT_EQ("ERROR", outcome.boxes[0].caption);
    EXPECT_EQ("COULDN'T WRITE OUTPUT", outcome.boxes[0].text);
    EXPECT_FALSE(HostRan());
    ExpectNothingLeft();
}
