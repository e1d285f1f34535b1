// preview PROGRAM HOST WORKDIR CAPTUREDIR
// Runs PROGRAM in WORKDIR with HOST, the stand-in report host, which keeps
// the page and input.txt it was shown in CAPTUREDIR; prints any message box.
#include "support/ProgramRun.h"

#include "support/Program.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: preview PROGRAM HOST WORKDIR CAPTUREDIR\n");
        return 2;
    }
    if (!InstallReportHost(argv[2])) {
        std::fprintf(stderr, "cannot install the stand-in report host\n");
        return 1;
    }
    SetEnvironmentVariableA("SYSREPORT_CAPTURE", argv[4]);
    ProgramOutcome outcome = RunProgram(argv[1], argv[3]);
    RestoreReportHost();

    for (const MessageBoxSeen& box : outcome.boxes)
        std::printf("message box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
    if (!outcome.started || !outcome.ended) {
        std::fprintf(stderr, "%s did not %s\n", argv[1], outcome.started ? "end" : "start");
        return 1;
    }
    return 0;
}
