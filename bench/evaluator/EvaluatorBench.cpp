// Time per statement of the variable-section evaluator for sections of
// 1,000, 10,000 and 100,000 PCI statements. The cost must grow linearly:
// the figure at 100,000 should stay within 1.5 times the one at 1,000.
#include "app/ReportBuilder.h"
#include "pci/PCI_Base.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

class ConstantPCI : public PCI_Base {
public:
    const char* AccessName() const override { return "test"; }
    uint32_t Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) override {
        return 0x12345678u ^ (bus << 24 | device << 16 | function << 8 | offset);
    }
};

std::string Section(int statements) {
    std::string text;
    char line[64];
    for (int i = 0; i < statements; ++i) {
        std::snprintf(line, sizeof line, "\r\nDev%d = PCI(0,%d,%d,0[31:16]);", i, i % 32, i % 8);
        text += line;
    }
    return text + "\r\n";
}

// Best of five, each run evaluating at least 200,000 statements in all.
double NanosecondsPerStatement(int statements) {
    ConstantPCI pci;
    ReportBuilder builder(nullptr, &pci);
    std::string section = Section(statements);
    int repeats = std::max(1, 200000 / statements);
    double best = 1e300;
    size_t sink = 0;
    for (int run = 0; run < 5; ++run) {
        auto start = std::chrono::steady_clock::now();
        for (int r = 0; r < repeats; ++r)
            sink += builder.EvaluateVariables(section).size();
        std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / (double(statements) * repeats));
    }
    if (sink == 0)
        std::puts("no output");
    return best;
}

} // namespace

int main() {
    const int sizes[] = {1000, 10000, 100000};
    double first = 0;
    for (int statements : sizes) {
        double ns = NanosecondsPerStatement(statements);
        if (statements == sizes[0])
            first = ns;
        std::printf("%7d statements: %8.1f ns per statement (%.2f x the 1,000 figure)\n",
                    statements, ns, ns / first);
    }
    return 0;
}
