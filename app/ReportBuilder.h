// Turns the data file into the report: the variable section into script
// assignments that carry this machine's values.
#pragma once

#include <string>

class PCI_Base;
class RcLdr;

class ReportBuilder {
public:
    // Both are borrowed and must outlive the builder.
    ReportBuilder(RcLdr* loader, PCI_Base* pci);

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
