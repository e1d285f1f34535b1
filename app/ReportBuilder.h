// Turns the data file into the report: the variable section into script
// assignments that carry this machine's values, written with the script to
// input.txt beside the page template (output.hta) and the program's icon
// (SysReport.ico) in a new folder of the run's own; shows the page with the
// report host, which starts in that folder, and removes the files and the
// folder afterwards. The files are held unchanged while the host runs.
#pragma once

#include "app/CommandLine.h"
#include "datafile/Evaluator.h"

#include <functional>
#include <string>
#include <vector>

class PCI_Base;
class RcLdr;

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
    // `each` as it is read, from this builder's sources (EvaluateSection).
    void Evaluate(const std::string& section, const std::function<void(Assignment&&)>& each);
    // All of them at once.
    std::vector<Assignment> Evaluate(const std::string& section);
    // The same as the generated script's assignments; nothing when a read
    // throws.
    std::string EvaluateVariables(const std::string& section);

private:
    RcLdr* loader;
    ValueSources sources;
};
