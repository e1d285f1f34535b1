// The real SysReport.exe run as a user meets it, in a scratch directory,
// with a stand-in report host installed as the system's mshta.exe.
#include "ProgramRun.h"
#include "support/Services.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

namespace {

std::string TempPath() {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return dir;
}

std::string BesideThisTest(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path);
    return dir.substr(0, dir.rfind('\\') + 1) + name;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

// The stand-in host is the system's report host while these tests run.
class StandInHostInstalled : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(InstallReportHost(BesideThisTest("host.exe"))); }
    void TearDown() override { RestoreReportHost(); }
};

const auto* const hostInstalled = ::testing::AddGlobalTestEnvironment(new StandInHostInstalled);

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0u, ServiceState("PCIUtil")) << "prefix left dirty by an earlier test";
        work = scratch / "work";
        capture = scratch / "capture";
        CreateDirectoryA(work.c_str(), nullptr);
        CreateDirectoryA(capture.c_str(), nullptr);
        SetEnvironmentVariableA("SYSREPORT_CAPTURE", capture.c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("SYSREPORT_CAPTURE", nullptr); }

    ProgramOutcome Run(const std::string& exe = SYSREPORT_EXE) {
        ProgramOutcome outcome = RunProgram(exe, work);
        EXPECT_TRUE(outcome.started) << exe;
        EXPECT_TRUE(outcome.ended) << exe << " did not end";
        return outcome;
    }

    bool HostRan() const { return FileExists(capture + "\\cmdline.txt"); }
    std::string Captured(const char* name) const { return ReadFileBytes(capture + "\\" + name); }

    // Nothing of a run may stay behind but what `kept` names.
    void ExpectNothingLeft(bool inputKept = false) {
        EXPECT_EQ(inputKept, FileExists(work + "\\input.txt"));
        EXPECT_FALSE(FileExists(work + "\\output.hta"));
        EXPECT_FALSE(FileExists(work + "\\PCIUtil.sys"));
        EXPECT_FALSE(FileExists(TempPath() + "PCIUtil.sys"));
        EXPECT_FALSE(FileExists(SystemDir() + "\\PCIUtil.sys"));
        EXPECT_EQ(0u, ServiceState("PCIUtil"));
    }

    // A copy of the program whose resources `change` has edited.
    template <class F> std::string PatchedCopy(F change) {
        std::vector<Resource> resources = ReadResources(SYSREPORT_EXE);
        change(resources);
        std::string copy = scratch / "SysReport.exe";
        WriteCopyWithResources(SYSREPORT_EXE, copy, resources);
        return copy;
    }
    static void Drop(std::vector<Resource>& resources, const char* type, const char* name) {
        size_t before = resources.size();
        resources.erase(
            std::remove_if(resources.begin(), resources.end(),
                           [&](const Resource& r) { return r.type == type && r.name == name; }),
            resources.end());
        ASSERT_EQ(before - 1, resources.size()) << type << " " << name;
    }
    void ExpectOneErrorBox(const ProgramOutcome& outcome) {
        EXPECT_EQ(0u, outcome.exitCode);
        ASSERT_EQ(1u, outcome.boxes.size());
        EXPECT_EQ("ERROR", outcome.boxes[0].caption);
        EXPECT_EQ("An error has occured", outcome.boxes[0].text);
        EXPECT_TRUE(outcome.boxes[0].icon);
    }

    TempDir scratch;
    std::string work, capture;
};

std::string DataFile() {
    for (const Resource& r : ReadResources(SYSREPORT_EXE))
        if (r.type == "DATAFILE" && r.name == "INPUT_FILE")
            return r.bytes;
    return "";
}

} // namespace

TEST_F(EndToEnd, NormalRunShowsReportAndLeavesNothing) {
    ProgramOutcome outcome = Run();
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_TRUE(outcome.boxes.empty());
    ASSERT_TRUE(HostRan());

    std::string host = SystemDir() + "\\mshta.exe";
    EXPECT_EQ(Lower(host), Lower(Captured("module.txt")));
    EXPECT_EQ("\"" + host + "\" \"" + work + "\\output.hta\"", Captured("cmdline.txt"));

    // Under Wine no register is backed by hardware (reads give 0, or all
    // ones where the driver can't reach the ports), no installed driver is
    // found, and the version is the program's own; the script section
    // follows unchanged.
    std::string data = DataFile(), input = Captured("input.txt");
    size_t marker = data.find("/*ENDVARS*/"), split = input.find("/*ENDVARS*/");
    ASSERT_NE(std::string::npos, marker);
    ASSERT_NE(std::string::npos, split);
    EXPECT_EQ(data.substr(marker), input.substr(split));
    std::istringstream lines(input.substr(0, split));
    std::regex pci("\\w+ +=0x(0|F+);"), version("\\w+Version=\"\";"), name("\\w+Name=\"\";");
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
            EXPECT_EQ("UTILITY_VERSION =\"3.03\";", line);
    }
    EXPECT_EQ(12, pcis);
    EXPECT_EQ(7, versions);
    EXPECT_EQ(7, names);
    ExpectNothingLeft();
}

TEST_F(EndToEnd, TwoRunsInOneDirectoryBothEndClean) {
    WriteFileBytes(work + "\\input.txt", std::string(100000, 'x'));
    WriteFileBytes(work + "\\output.hta", std::string(100000, 'y'));
    EXPECT_TRUE(Run().boxes.empty());
    std::string first = Captured("input.txt");
    EXPECT_EQ(std::string::npos, first.find("xxxx"));
    ExpectNothingLeft();
    DeleteFileA((capture + "\\input.txt").c_str());
    EXPECT_TRUE(Run().boxes.empty());
    EXPECT_EQ(first, Captured("input.txt"));
    ExpectNothingLeft();
}

TEST_F(EndToEnd, UnwritableInputFileSaysSoWithoutHost) {
    ASSERT_TRUE(CreateDirectoryA((work + "\\input.txt").c_str(), nullptr));
    ProgramOutcome outcome = Run();
    EXPECT_EQ(0u, outcome.exitCode);
    ASSERT_EQ(1u, outcome.boxes.size());
    EXPECT_EQ("ERROR", outcome.boxes[0].caption);
    EXPECT_EQ("COULDN'T WRITE OUTPUT", outcome.boxes[0].text);
    EXPECT_FALSE(outcome.boxes[0].icon);
    EXPECT_FALSE(HostRan());
    RemoveDirectoryA((work + "\\input.txt").c_str());
    ExpectNothingLeft();
}

TEST_F(EndToEnd, DirectoryTooLongForPageSaysSoAndWritesNothing) {
    // input.txt still fits a MAX_PATH buffer here, output.hta no longer.
    std::string dir = work;
    while (dir.size() < MAX_PATH - 11) {
        dir += "\\" + std::string(std::min<size_t>(100, MAX_PATH - 12 - dir.size()), 'd');
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir.size();
    }
    ASSERT_EQ(MAX_PATH - 11u, dir.size());
    ProgramOutcome outcome = RunProgram(SYSREPORT_EXE, dir);
    EXPECT_EQ(0u, outcome.exitCode);
    ASSERT_EQ(1u, outcome.boxes.size());
    EXPECT_EQ("COULDN'T WRITE OUTPUT", outcome.boxes[0].text);
    EXPECT_FALSE(FileExists(dir + "\\input.txt"));
    EXPECT_FALSE(HostRan());
    ExpectNothingLeft();
}

TEST_F(EndToEnd, PlantedHostsAreNotRun) {
    std::string prog = scratch / "prog";
    CreateDirectoryA(prog.c_str(), nullptr);
    std::string exe = prog + "\\SysReport.exe";
    ASSERT_TRUE(CopyFileA(SYSREPORT_EXE, exe.c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(BesideThisTest("host.exe").c_str(), (prog + "\\mshta.exe").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(BesideThisTest("host.exe").c_str(), (work + "\\mshta.exe").c_str(), FALSE));
    EXPECT_TRUE(Run(exe).boxes.empty());
    ASSERT_TRUE(HostRan());
    EXPECT_EQ(Lower(SystemDir() + "\\mshta.exe"), Lower(Captured("module.txt")));
    DeleteFileA((work + "\\mshta.exe").c_str());
    ExpectNothingLeft();
}

TEST_F(EndToEnd, LeftOverServiceGivesOneErrorAndIsRemoved) {
    ASSERT_TRUE(InstallService("PCIUtil", "C:\\nowhere\\PCIUtil.sys", false));
    ProgramOutcome outcome = Run();
    bool removed = ServiceState("PCIUtil") == 0;
    RemoveService("PCIUtil"); // keep the prefix clean for the tests after us
    EXPECT_TRUE(removed);
    ExpectOneErrorBox(outcome);
    EXPECT_FALSE(HostRan());
    ExpectNothingLeft();
}

TEST_F(EndToEnd, DataFileWithoutMarkerWritesNothing) {
    std::string copy = PatchedCopy([](std::vector<Resource>& resources) {
        for (Resource& r : resources)
            if (r.type == "DATAFILE") {
                size_t at = r.bytes.find("/*ENDVARS*/");
                ASSERT_NE(std::string::npos, at);
                r.bytes.replace(at, 11, "/*NOMARK!*/");
            }
    });
    ExpectOneErrorBox(Run(copy));
    EXPECT_FALSE(HostRan());
    ExpectNothingLeft();
}

TEST_F(EndToEnd, MissingTemplateLeavesOnlyInputFile) {
    std::string copy = PatchedCopy(
        [](std::vector<Resource>& resources) { Drop(resources, "HTMLFILE", "OUTPUT_FILE"); });
    ExpectOneErrorBox(Run(copy));
    EXPECT_FALSE(HostRan());
    ExpectNothingLeft(true);
}

TEST_F(EndToEnd, MissingDataFileWritesNothing) {
    std::string copy = PatchedCopy(
        [](std::vector<Resource>& resources) { Drop(resources, "DATAFILE", "INPUT_FILE"); });
    ExpectOneErrorBox(Run(copy));
    EXPECT_FALSE(HostRan());
    ExpectNothingLeft();
}

TEST_F(EndToEnd, MissingDriverImageWritesNothing) {
    std::string copy =
        PatchedCopy([](std::vector<Resource>& resources) { Drop(resources, "DRV", "#113"); });
    ExpectOneErrorBox(Run(copy));
    EXPECT_FALSE(HostRan());
    ExpectNothingLeft();
}
