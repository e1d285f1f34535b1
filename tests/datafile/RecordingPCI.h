// A PCI access double: records every read and answers from a list.
#pragma once

#include "datafile/Evaluator.h"
#include "datafile/FileVersionInfo.h"
#include "datafile/QueryDriverVersion.h"
#include "errors/Except.h"
#include "pci/PCI_Base.h"

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <tuple>
#include <utility>
#include <vector>

struct PciAddress {
    unsigned bus, device, function, offset;
    bool operator==(const PciAddress& o) const {
        return std::tie(bus, device, function, offset) ==
               std::tie(o.bus, o.device, o.function, o.offset);
    }
};

inline std::ostream& operator<<(std::ostream& os, const PciAddress& a) {
    return os << "(" << a.bus << "," << a.device << "," << a.function << "," << a.offset << ")";
}

class RecordingPCI : public PCI_Base {
public:
    explicit RecordingPCI(std::vector<uint32_t> answers = {0}) : answers(std::move(answers)) {}

    // The answers are given in turn; the last one repeats. The read with the
    // index `failAt` throws as the driver-backed access does.
    const char* AccessName() const override { return "test"; }
    uint32_t Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) override {
        reads.push_back({bus, device, function, offset});
        size_t index = reads.size() - 1;
        if (index == failAt)
            throw Except_Driver("PCI_NT::Read", "DeviceIoControl", ERROR_GEN_FAILURE);
        return answers[index < answers.size() ? index : answers.size() - 1];
    }

    std::vector<PciAddress> reads;
    std::vector<uint32_t> answers;
    size_t failAt = SIZE_MAX;
};

// `pci`, and the platform's answers for installed drivers and this test
// program's own product version.
inline ValueSources PlatformSources(PCI_Base& pci) {
    return {&pci,
            [](const std::string& className, const std::string& id, std::string& description) {
                return QueryDriverVersion(className, id, description);
            },
            OwnProductVersion};
}
