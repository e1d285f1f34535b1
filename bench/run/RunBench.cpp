// runbench SYSREPORT BASELINE HOST [RUNS]
// Time to report under a warm Wine: from starting the program until the
// report host starts, median of RUNS runs (at least 10), for SysReport and
// for the baseline that makes only the platform calls a run needs. HOST is
// the stand-in report host, which notes when it started.
#include "support/ProgramRun.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Milliseconds from the start of `exe` until the host started; < 0 on failure.
double TimeToReport(const std::string& exe, const std::string& work, const std::string& capture) {
    std::string started = capture + "\\started.txt";
    DeleteFileA(started.c_str());
    LARGE_INTEGER frequency, before;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    ProgramOutcome outcome = RunProgram(exe, work);
    long long hostStart = 0;
    std::ifstream(started) >> hostStart;
    if (!outcome.ended || !outcome.boxes.empty() || hostStart == 0)
        return -1;
    return (hostStart - before.QuadPart) * 1000.0 / frequency.QuadPart;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: runbench SYSREPORT BASELINE HOST [RUNS]\n");
        return 2;
    }
    int runs = std::max(10, argc > 4 ? std::atoi(argv[4]) : 15);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string work = std::string(temp) + "sysreport-bench", capture = work + "\\capture";
    CreateDirectoryA(work.c_str(), nullptr);
    CreateDirectoryA(capture.c_str(), nullptr);
    if (!InstallReportHost(argv[3])) {
        std::fprintf(stderr, "cannot install the stand-in report host\n");
        return 1;
    }
    SetEnvironmentVariableA("SYSREPORT_CAPTURE", capture.c_str());

    const char* programs[] = {argv[1], argv[2]};
    std::vector<double> times[2];
    bool failed = false;
    for (int run = -1; run < runs && !failed; ++run) // run -1 warms Wine up
        for (int p = 0; p < 2; ++p) {
            double ms = TimeToReport(programs[p], work, capture);
            failed |= ms < 0;
            if (run >= 0)
                times[p].push_back(ms);
        }
    RestoreReportHost();
    if (failed) {
        std::fprintf(stderr, "a run failed or showed a message box\n");
        return 1;
    }

    double program = Median(times[0]), baseline = Median(times[1]);
    std::printf("time to report, median of %d runs: SysReport %.1f ms, baseline %.1f ms\n", runs,
                program, baseline);
    std::printf("ratio SysReport / baseline: %.2f (goal: at most 1.10)\n", program / baseline);
    return 0;
}
