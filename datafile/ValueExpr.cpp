#include "datafile/ValueExpr.h"

#include "datafile/Value_PCI.h"

#include <stdexcept>

ValueExpr::ValueExpr(const std::string& text) {
    size_t bracket = text.find('[');
    auto range = std::make_unique<BitRange>(bracket == std::string::npos ? std::string()
                                                                         : text.substr(bracket));
    std::string core = text.substr(0, bracket);

    size_t word = core.find("PCI");
    if (word == std::string::npos)
        return;
    // The letters and the "(" after them are skipped unread.
    if (word + 4 > core.size())
        throw std::out_of_range("invalid string position");
    node = std::make_unique<Value_PCI>(core.substr(word + 4), std::move(range));
}

uint32_t ValueExpr::Evaluate(PCI_Base& pci) {
    return node ? node->Evaluate(pci) : 0;
}
