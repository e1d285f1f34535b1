// Turns the data file into the report: the variable section into script
// assignments that carry this machine's values, written with the script to
// input.txt beside the page template (output.hta) in the current directory;
// shows the page with the report host and removes both files afterwards.
#pragma once

#include <string>

class PCI_Base;
class RcLdr;

class ReportBuilder {
public:
    // Both are borrowed and must outlive the builder.
    ReportBuilder(RcLdr* loader, PCI_Base* pci);

    // The whole sequence; blocks while the report is open. False, after
    // telling the user, when input.txt can't be written. Throws on any other
    // failure, leaving at most input.txt behind.
    bool Run();

    // Writes input.txt (false when that fails), or with `remove` deletes it.
    bool MakeInputFile(bool remove);

    // The assignments for the statements of `section`, in order: PCI
    // registers as hex numbers, installed-driver versions and descriptions,
    // and the program's product version. Text after the last ";" is
    // dropped, as is every statement of no known form. Exceptions of the
    // PCI reads pass through, and then nothing is returned; a PCI value with
    // nothing after the letters PCI throws std::out_of_range.
    std::string EvaluateVariables(std::string section);

private:
    RcLdr* loader;
    PCI_Base* pci;
};
