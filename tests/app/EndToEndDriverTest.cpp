// The driver's file and service when something already has the name: what
// is ours is taken over and cleaned up, what is not stays exactly as found
// and the report comes from the device tree.
#include "EndToEnd.h"
#include "driver/PCIUtilIoctl.h"

#include "support/Wine.h"
#include "win/NamedClaim.h"

#include <memory>

// Another product's file or service in the driver's place, a service of its
// name without the file, or a live run holding it: each stays exactly as
// found, and the report comes from the device tree instead. Our own file and
// service as a killed run leaves them (stopped, with the service manager's
// spelling of the path; or still running) are taken over and removed.
TEST_F(EndToEnd, DriverPlaceTakenIsLeftAsFoundUnlessItIsOurs) {
    const std::string inSystem = GetSystemDir() + "\\" PCIUTIL_FILE_NAME,
                      elsewhere = scratch / PCIUTIL_FILE_NAME, ours = DriverImage(SYSREPORT_EXE);
    std::string foreign = ours, spelled = "\\??\\" + inSystem;
    foreign.back() ^= 1;
    CharUpperA(&spelled[0]);
    WriteFileBytes(elsewhere, ours);
    struct Case {
        const char* what;
        std::string file; // put at the system directory's name, if any
        std::string image;
        bool running, liveRun, kept;
    } cases[] = {{"another's file", foreign, "", false, false, true},
                 {"another's file with its service", foreign, inSystem, false, false, true},
                 {"another's service, running", "", elsewhere, true, false, true},
                 {"our leftover service while a run holds it", "", inSystem, false, true, true},
                 {"a service of its name without the file", "", spelled, false, false, true},
                 {"our leftover service, stopped", ours, spelled, false, false, false},
                 {"our leftover service, running", ours, inSystem, true, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.file.empty())
            WriteFileBytes(inSystem, c.file);
        if (!c.image.empty()) {
            ASSERT_TRUE(InstallService(PCIUTIL_SERVICE_NAME, c.image, c.running));
        }
        ProgramOutcome outcome;
        {
            StandInSetupLibrary library;
            ASSERT_TRUE(library.installed);
            std::unique_ptr<NamedClaim> run(c.liveRun ? new NamedClaim(PCIUTIL_CLAIM_NAME)
                                                      : nullptr);
            outcome = Run();
        }
        DWORD state = ServiceState(PCIUTIL_SERVICE_NAME);
        std::string path = ServiceImagePath(PCIUTIL_SERVICE_NAME);
        std::string file = FileExists(inSystem) ? ReadFileBytes(inSystem) : "";
        RemoveService(PCIUTIL_SERVICE_NAME);
        DeleteFileA(inSystem.c_str());
        EXPECT_EQ(!c.kept || c.image.empty() ? 0
                                             : DWORD(c.running ? SERVICE_RUNNING : SERVICE_STOPPED),
                  state);
        // Wine gives the path back as it was registered, Windows in its own
        // spelling.
        EXPECT_EQ(!c.kept || c.image.empty(), path.empty());
        if (RunningUnderWine() && c.kept) {
            EXPECT_EQ(c.image, path);
        }
        EXPECT_EQ(c.kept ? c.file : "", file);
        EXPECT_TRUE(outcome.boxes.empty());
        ASSERT_TRUE(HostRan());
        if (c.kept) {
            EXPECT_EQ(standInRegisters, Captured("input.txt").substr(0, standInRegisters.size()));
        }
        DeleteFileA((capture + "\\cmdline.txt").c_str());
        ExpectNothingLeft();
    }
}
