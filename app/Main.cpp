// SysReport: identifies the hardware of this machine and shows it as an
// HTML Application page, or writes it to a file for a script to collect.
// /? lists the options.
#include "app/CommandLine.h"
#include "app/ReportBuilder.h"
#include "errors/Log.h"
#include "pci/CreatePCIAccess.h"
#include "rc/RcLdr.h"

#include <windows.h>

namespace {

// What an export run tells the script that started it.
enum ExportExit { written = 0, failed = 1, notWritten = 2, badCommandLine = 3 };

// Reads the machine, then shows the report or, asked to, exports it; an
// export's outcome is the exit code. The objects live inside the try: on
// every path the PCI access object (driver service and file) goes before
// the loader it borrows, and both go before any message box.
int Report(HINSTANCE instance, const CommandLine& options) {
    bool exporting = options.format != ExportFormat::None;
    try {
        RcLdr loader(instance);
        std::unique_ptr<PCI_Base> pci = CreatePCIAccess(&loader, options.noDriver);
        ReportBuilder builder(&loader, pci.get());
        auto hardwareRead = [&pci] { pci.reset(); };
        bool done = exporting ? builder.Export(options.exportPath, options.format, hardwareRead)
                              : builder.Run(hardwareRead);
        return done ? written : notWritten;
    } catch (...) {
        if (!exporting)
            MessageBoxA(nullptr, "An error has occured", "ERROR", MB_OK | MB_ICONERROR);
        return failed;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    CommandLine options = ParseCommandLine(commandLine);
    if (options.help) {
        MessageBoxA(nullptr, UsageText(), "SysReport", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (options.bad)
        return badCommandLine;
    // A log that can't be had stops an export; the report shows without it.
    if (!options.logPath.empty() && !StartLog(options.logPath) &&
        options.format != ExportFormat::None)
        return notWritten;
    int outcome = Report(instance, options);
    // The interactive run has shown what became of it.
    return options.format != ExportFormat::None ? outcome : 0;
}
