// SysReport: identifies the hardware of this machine and shows it as an
// HTML Application page. No window; exit code always 0. The one option,
// /nodriver, reads the device tree instead of loading the driver.
#include "app/CommandLine.h"
#include "app/ReportBuilder.h"
#include "pci/CreatePCIAccess.h"
#include "rc/RcLdr.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    try {
        // Destroyed in reverse order on every path, before any message box:
        // the PCI access object (driver service and file) before the loader
        // it borrows.
        RcLdr loader(instance);
        std::unique_ptr<PCI_Base> pci = CreatePCIAccess(&loader, AsksForNoDriver(commandLine));
        ReportBuilder builder(&loader, pci.get());
        builder.Run([&pci] { pci.reset(); });
    } catch (...) {
        MessageBoxA(nullptr, "An error has occured", "ERROR", MB_OK | MB_ICONERROR);
    }
    return 0;
}
