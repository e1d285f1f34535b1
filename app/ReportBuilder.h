// Turns the data file into the report: the variable section into script
// assignments that carry this machine's values, written with the script to
// input.txt beside the page template (output.hta) and the program's icon
// (SysReport.ico) in a new folder of the run's own; shows the page with the
// report host, which starts in that folder, and removes the files and the
// folder afterwards. The files are held unchanged while the host runs.
#pragma once

#include "app/Assignment.h"
#include "app/CommandLine.h"

#include <functional>
#include <string>
#include <vector>

class PCI_Base;
class RcLdr;

// The versions ("a.b.c.d", joined) and the description of the drivers
// installed for the devices of a setup class whose identifier contains a
// text; the empty text when there are none.
using DriverQuery = std::function<std::string(
    const std::string& className, const std::string& hardwareId, std::string& description)>;
// The program's product version; the empty text without one.
using ProductVersionQuery = std::function<std::string()>;

class ReportBuilder {
public:
    // Both are borrowed and must outlive the builder. Driver versions and
    // the product version come from the platform.
    ReportBuilder(RcLdr* loader, PCI_Base* pci);
    // The same with other sources for driver versions and product version.
    ReportBuilder(RcLdr* loader, PCI_Base* pci, DriverQuery driverQuery,
                  ProductVersionQuery productVersion);

    // The whole sequence; blocks while the report is open. Once the machine
    // has been read, the PCI access is no longer used and `hardwareRead` is
    // called, so that the caller can let it go before the report is shown.
    // False, after telling the user, when the folder or a file can't be
    // made; then the host isn't started. Throws Except_BadExec when the
    // report host can't be started, and whatever else fails. Nothing of the
    // run remains on any of these paths.
    bool Run(const std::function<void()>& hardwareRead = nullptr);

    // Reads the machine as Run does, lets `hardwareRead` know as Run does,
    // and writes the report to `path` in `format` (Json or Page), replacing
    // whatever bears that name; nothing else is written and nothing shown.
    // False when `path` can't be written; throws on any other failure.
    bool Export(const std::string& path, ExportFormat format,
                const std::function<void()>& hardwareRead = nullptr);

    // The values for the statements of `section`, in order, each handed to
    // `each` as it is read: PCI registers, installed-driver versions and
    // descriptions (two assignments), and the program's product version.
    // Text after the last ";" is dropped, as is every statement of no known
    // form. Exceptions of the PCI reads pass through; a PCI value with
    // nothing after the letters PCI throws std::out_of_range.
    void Evaluate(const std::string& section, const std::function<void(Assignment&&)>& each);
    // All of them at once.
    std::vector<Assignment> Evaluate(const std::string& section);
    // The same as the generated script's assignments; nothing when a read
    // throws.
    std::string EvaluateVariables(std::string section);

private:
    RcLdr* loader;
    PCI_Base* pci;
    DriverQuery driverQuery;
    ProductVersionQuery productVersion;
};
