// The value of one PCI statement: "PCI(bus,device,function,offset)" with an
// optional "[high:low]" inside or after the parentheses.
#pragma once

#include "datafile/Value_Base.h"

#include <cstdint>
#include <memory>
#include <string>

class PCI_Base;

class ValueExpr {
public:
    // `text` is everything after the statement's "=". Without the word PCI
    // before the first "[" the expression is empty. Throws
    // std::out_of_range when nothing follows the letters PCI.
    explicit ValueExpr(const std::string& text);

    // 0 for an empty expression, which reads nothing.
    uint32_t Evaluate(PCI_Base& pci);

    std::unique_ptr<Value_Base> node;
};
