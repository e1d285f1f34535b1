// SysReport: identifies the hardware of this machine and shows it as an
// HTML Application page. No window; exit code always 0. The one option,
// /nodriver, reads the device tree instead of loading the driver.
#include "app/CommandLine.h"
#include "app/ReportBuilder.h"
#include "pci/CreatePCIAccess.h"
#include "rc/RcLdr.h"

#include <windows.h>

#include <memory>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // Destroyed in reverse order on every path: the PCI access object
    // (driver service and file) before the loader it borrows.
    std::unique_ptr<RcLdr> loader;
    std::unique_ptr<PCI_Base> pci;
    try {
        loader.reset(new RcLdr(instance));
        pci.reset(CreatePCIAccess(loader.get(), AsksForNoDriver(commandLine)));
        ReportBuilder builder(loader.get(), pci.get());
        builder.Run();
    } catch (...) {
        MessageBoxA(nullptr, "An error has occured", "ERROR", MB_OK | MB_ICONERROR);
    }
    return 0;
}
