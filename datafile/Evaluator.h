// The data file's variable section read into the values the report script
// gets: PCI registers, installed-driver versions and descriptions, and the
// program's product version, each as the assignment that carries it.
#pragma once

#include "datafile/Assignment.h"

#include <functional>
#include <string>

class PCI_Base;

// The versions ("a.b.c.d", joined) and the description of the drivers
// installed for the devices of a setup class whose identifier contains a
// text; the empty text when there are none.
using DriverQuery = std::function<std::string(
    const std::string& className, const std::string& hardwareId, std::string& description)>;
// The program's product version; the empty text without one.
using ProductVersionQuery = std::function<std::string()>;

// Where the values come from; the PCI access is borrowed.
struct ValueSources {
    PCI_Base* pci;
    DriverQuery driverQuery;
    ProductVersionQuery productVersion;
};

// The values for the statements of `section`, in order, each handed to
// `each` as it is read: a PCI register, an installed driver's version and
// description (two assignments), the product version. Text after the last
// ";" is dropped, as is every statement of no known form. Exceptions of the
// PCI reads pass through; a PCI value with nothing after the letters PCI
// throws std::out_of_range.
void EvaluateSection(const std::string& section, const ValueSources& sources,
                     const std::function<void(Assignment&&)>& each);

// The same as the generated script's assignments; nothing when a read
// throws.
std::string EvaluateVariables(const std::string& section, const ValueSources& sources);
