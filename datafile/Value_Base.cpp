#include "datafile/Value_Base.h"

#include <utility>

Value_Base::Value_Base(std::string text, std::unique_ptr<BitRange> range)
    : text(std::move(text)), range(std::move(range)) {}

Value_Base::~Value_Base() = default;
