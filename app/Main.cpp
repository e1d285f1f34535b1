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

// The objects live inside the try: on every path the PCI access object
// (driver service and file) goes before the loader it borrows, and both go
// before any message box.
int Export(HINSTANCE instance, const CommandLine& options) {
    try {
        RcLdr loader(instance);
        std::unique_ptr<PCI_Base> pci = CreatePCIAccess(&loader, options.noDriver);
        ReportBuilder builder(&loader, pci.get());
        return builder.Export(options.exportPath, options.format, [&pci] { pci.reset(); })
                   ? written
                   : notWritten;
    } catch (...) {
        return failed;
    }
}

void Show(HINSTANCE instance, const CommandLine& options) {
    try {
        RcLdr loader(instance);
        std::unique_ptr<PCI_Base> pci = CreatePCIAccess(&loader, options.noDriver);
        ReportBuilder builder(&loader, pci.get());
        builder.Run([&pci] { pci.reset(); });
    } catch (...) {
        MessageBoxA(nullptr, "An error has occured", "ERROR", MB_OK | MB_ICONERROR);
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
    if (options.format != ExportFormat::None)
        return Export(instance, options);
    Show(instance, options);
    return 0;
}
