// The real SysReport.exe run as a user meets it, in a scratch directory,
// with a stand-in report host installed as the system's mshta.exe.
#pragma once

#include "driver/PCIUtilIoctl.h"
#include "support/Program.h"
#include "support/ProgramRun.h"
#include "support/Services.h"
#include "support/TempDir.h"
#include "win/Paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

// Where a run makes its folder: the Windows folder's Temp, as every run
// under Wine is elevated.
inline std::string ReportParent() {
    char windows[MAX_PATH];
    return std::string(windows, GetSystemWindowsDirectoryA(windows, MAX_PATH)) + "\\Temp";
}

// The stand-in host is the system's report host while these tests run.
class StandInHostInstalled : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(InstallReportHost(SYSREPORT_HOST)); }
    void TearDown() override { RestoreReportHost(); }
};

// The program's setup library while the object lives: a stand-in whose PCI
// enumerator lists a made-up machine.
class StandInSetupLibrary {
public:
    StandInSetupLibrary()
        : installed(InstallSetupLibrary(BesideThisTest("standin_setupapi.dll"), program)) {}
    ~StandInSetupLibrary() { RestoreSetupLibrary(program); }
    const bool installed;

private:
    static constexpr const char* program = "SysReport.exe";
};

// The registers input.txt begins with for the stand-in's machine.
inline const std::string standInRegisters =
    "VendorID =0x7A3E;\r\nDeviceID =0x5B40;\r\nAGP =0xFFFF;\r\n"
    "GFX =0x5B42;\r\nICH =0xFFFF;\r\nICHR =0x5B70;\r\n"
    "IDE =0xFFFF;\r\nSMBus =0x5B73;\r\nICHRev =0xF;\r\n"
    "ICHRRev =0x5;\r\nIDERev =0xF;\r\nSMBusRev =0x5;\r\nWaveLink310";

// Once for the whole executable, whichever files use the fixture.
inline ::testing::Environment* const standInHostInstalled =
    ::testing::AddGlobalTestEnvironment(new StandInHostInstalled);

// The program the cases run by default: the build's, or another build of
// it that SYSREPORT_EXE names (a signed release).
inline std::string ProgramUnderTest() {
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("SYSREPORT_EXE", path, sizeof path);
    return length > 0 && length < sizeof path ? path : SYSREPORT_EXE;
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0u, ServiceState(PCIUTIL_SERVICE_NAME)) << "prefix left dirty by an earlier test";
        work = scratch / "work";
        capture = scratch / "capture";
        CreateDirectoryA(work.c_str(), nullptr);
        CreateDirectoryA(capture.c_str(), nullptr);
        SetEnvironmentVariableA("SYSREPORT_CAPTURE", capture.c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("SYSREPORT_CAPTURE", nullptr); }

    ProgramOutcome Run(const std::string& exe = ProgramUnderTest(),
                       const std::string& arguments = "") {
        ProgramOutcome outcome = RunProgram(exe, work, arguments);
        EXPECT_TRUE(outcome.started) << exe;
        EXPECT_TRUE(outcome.ended) << exe << " did not end";
        return outcome;
    }

    bool HostRan() const { return FileExists(capture + "\\cmdline.txt"); }
    std::string Captured(const char* name) const { return ReadFileBytes(capture + "\\" + name); }

    // Nothing of a run may stay behind: its folder, files of the report's
    // names in the current folder, the driver's file in any of its places,
    // the driver's service.
    void ExpectNothingLeft() {
        EXPECT_EQ(std::set<std::string>(), Names(ReportParent() + "\\SysReport.*"));
        EXPECT_FALSE(FileExists(work + "\\input.txt"));
        EXPECT_FALSE(FileExists(work + "\\output.hta"));
        EXPECT_FALSE(FileExists(work + "\\" PCIUTIL_FILE_NAME));
        char temp[MAX_PATH];
        EXPECT_FALSE(
            FileExists(std::string(temp, GetTempPathA(MAX_PATH, temp)) + PCIUTIL_FILE_NAME));
        EXPECT_FALSE(FileExists(GetSystemDir() + "\\" PCIUTIL_FILE_NAME));
        EXPECT_EQ(0u, ServiceState(PCIUTIL_SERVICE_NAME));
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
    // A clean end after one "ERROR" box, the one with an icon.
    static void ExpectOneErrorBox(const ProgramOutcome& outcome) {
        EXPECT_EQ(0u, outcome.exitCode);
        ASSERT_EQ(1u, outcome.boxes.size());
        EXPECT_EQ("ERROR", outcome.boxes[0].caption);
        EXPECT_EQ("An error has occured", outcome.boxes[0].text);
        EXPECT_TRUE(outcome.boxes[0].icon);
    }

    TempDir scratch;
    std::string work, capture;
};

inline std::string DataFile() {
    return ResourceBytes(SYSREPORT_EXE, "DATAFILE", "INPUT_FILE");
}
