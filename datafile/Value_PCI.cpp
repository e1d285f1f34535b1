#include "datafile/Value_PCI.h"

#include "datafile/Numbers.h"
#include "pci/PCI_Base.h"

namespace {

const size_t none = std::string::npos;

// Where the piece after the one at `from` starts, if there is one.
size_t NextPiece(const std::string& args, size_t from) {
    size_t comma = from == none ? none : args.find(',', from);
    return comma == none ? none : comma + 1;
}

// A number ends at the comma behind it, so it can be read in place.
uint8_t ReadPiece(const std::string& args, size_t from) {
    return from == none ? 0 : static_cast<uint8_t>(ReadDecimal(args, from));
}

} // namespace

Value_PCI::Value_PCI(const std::string& args, std::unique_ptr<BitRange> range)
    : Value_Base(args, std::move(range)) {
    size_t busAt = 0;
    size_t deviceAt = NextPiece(args, busAt);
    size_t functionAt = NextPiece(args, deviceAt);
    size_t offsetAt = NextPiece(args, functionAt);
    bus = ReadPiece(args, busAt);
    device = ReadPiece(args, deviceAt);
    function = ReadPiece(args, functionAt);
    offset = ReadPiece(args, offsetAt);
}

uint32_t Value_PCI::Evaluate(PCI_Base& pci) {
    return range->Extract(pci.Read(bus, device, function, offset));
}
