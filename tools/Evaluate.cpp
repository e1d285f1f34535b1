// Writes input.txt as the program would on a described machine:
//
//     evaluate DATAFILE MACHINE OUTPUT [TEMPLATE]
//
// With TEMPLATE, OUTPUT is the report page as one file, as an export writes
// it, instead.
//
// MACHINE has a line for each register, each installed driver and the
// product version:
//
//     pci BUS DEVICE FUNCTION OFFSET VALUE(hex)
//     driver HARDWAREID VERSION DESCRIPTION
//     version TEXT
//
// A register not given reads 0xFFFFFFFF, as on an absent function.
#include "app/InlinePage.h"
#include "app/ReportBuilder.h"
#include "datafile/DataFile.h"
#include "pci/PCI_Base.h"
#include "support/TempDir.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>

namespace {

class MachinePCI : public PCI_Base {
public:
    // Masked as the interface promises: device 32 is device 0.
    const char* AccessName() const override { return "test"; }
    uint32_t Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) override {
        auto found = registers.find({bus, device & 31u, function & 7u, offset & 0xFCu});
        return found == registers.end() ? 0xFFFFFFFF : found->second;
    }

    std::map<std::tuple<unsigned, unsigned, unsigned, unsigned>, uint32_t> registers;
};

struct Driver {
    std::string version, description;
};

} // namespace

int main(int argc, char** argv) try {
    if (argc != 4 && argc != 5)
        throw std::runtime_error("usage: evaluate DATAFILE MACHINE OUTPUT [TEMPLATE]");
    MachinePCI pci;
    std::map<std::string, Driver> drivers;
    std::string version;
    std::istringstream lines(ReadFileBytes(argv[2]));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string kind, id;
        fields >> kind;
        if (kind == "pci") {
            unsigned bus, device, function, offset, value;
            fields >> bus >> device >> function >> offset >> std::hex >> value;
            pci.registers[{bus, device, function, offset}] = value;
        } else if (kind == "driver") {
            fields >> id >> drivers[id].version;
            std::getline(fields.ignore(1), drivers[id].description);
        } else if (kind == "version") {
            std::getline(fields.ignore(1), version);
        } else {
            throw std::runtime_error("bad machine line: " + line);
        }
    }

    auto query = [&](const std::string&, const std::string& hardwareId, std::string& description) {
        auto found = drivers.find(hardwareId);
        if (found == drivers.end())
            return std::string();
        description = found->second.description;
        return found->second.version;
    };
    ReportBuilder builder(nullptr, &pci, query, [&] { return version; });
    DataFileSections file = SplitDataFile(ReadFileBytes(argv[1]));
    WriteFileBytes(argv[3], argc > 4 ? ReportPage(ReadFileBytes(argv[4]),
                                                  builder.Evaluate(file.variables), file.script)
                                     : builder.EvaluateVariables(file.variables) + file.script);
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "evaluate: %s\n", e.what());
    return 1;
}
