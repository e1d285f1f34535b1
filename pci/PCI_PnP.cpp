#include "pci/PCI_PnP.h"

#include "driver/PCIUtilIoctl.h"
#include "errors/Except.h"
#include "win/DeviceInfoSet.h"
#include "win/SetupApi.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char source[] = "PCI_PnP::Init";
const uint32_t allOnes = 0xFFFFFFFF;

// Far more than the identifier list of any PCI function; a longer list
// counts as unreadable.
const DWORD idListSize = 4096;

bool DwordProperty(const SetupApi& api, HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property,
                   DWORD& value) {
    DWORD type = 0, size = 0;
    return api.SetupDiGetDeviceRegistryPropertyA(set, &device, property, &type,
                                                 reinterpret_cast<BYTE*>(&value), sizeof value,
                                                 &size) &&
           type == REG_DWORD && size == sizeof value;
}

// The entries of a multi-string property, each followed by a NUL; the
// empty text when it can't be read.
std::string IdList(const SetupApi& api, HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    std::vector<char> buffer(idListSize);
    DWORD type = 0, size = 0;
    if (!api.SetupDiGetDeviceRegistryPropertyA(set, &device, property, &type,
                                               reinterpret_cast<BYTE*>(buffer.data()), idListSize,
                                               &size) ||
        type != REG_MULTI_SZ)
        return std::string();
    // The size is the machine's word: never beyond the buffer, and the
    // last entry may come unterminated.
    std::string list(buffer.data(), size < idListSize ? size : idListSize);
    return list + '\0';
}

// The text after "<name>_" up to the next "&" in the first "PCI\" entry of
// `list` that has such a field.
bool FindField(const std::string& list, const std::string& name, std::string& value) {
    const std::string key = name + '_';
    for (size_t from = 0, end; (end = list.find('\0', from)) != from && end != std::string::npos;
         from = end + 1) {
        if (list.compare(from, 4, "PCI\\") != 0)
            continue;
        for (size_t at = from + 4, stop; at <= end; at = stop + 1) {
            stop = std::min(list.find('&', at), end);
            if (list.compare(at, key.size(), key) == 0) {
                value = list.substr(at + key.size(), stop - at - key.size());
                return true;
            }
        }
    }
    return false;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The field as exactly `digits` hex digits.
bool HexField(const std::string& list, const char* name, size_t digits, uint32_t& value) {
    std::string text;
    if (!FindField(list, name, text) || text.size() != digits)
        return false;
    value = 0;
    for (char c : text) {
        int digit = HexDigit(c);
        if (digit < 0)
            return false;
        value = value << 4 | digit;
    }
    return true;
}

// CC_ccsspp, or CC_ccss with programming interface 0.
bool ClassCode(const std::string& list, uint32_t& value) {
    if (HexField(list, "CC", 6, value))
        return true;
    if (!HexField(list, "CC", 4, value))
        return false;
    value <<= 8;
    return true;
}

} // namespace

void PCI_PnP::Init() {
    if (api) {
        List(*api);
        return;
    }
    SetupApiLibrary library;
    if (!library.Table())
        throw Except_NoAccess(source, "No setup library");
    List(*library.Table());
}

void PCI_PnP::List(const SetupApi& api) {
    // A tree that can't be listed tells nothing; only a listed tree without
    // a function says that the function is absent.
    if (!api.ListsDevices())
        throw Except_NoAccess(source, "Setup library cannot list devices");
    auto add = [&](HDEVINFO set, SP_DEVINFO_DATA& device) {
        DWORD bus, address;
        if (!DwordProperty(api, set, device, SPDRP_BUSNUMBER, bus) ||
            !DwordProperty(api, set, device, SPDRP_ADDRESS, address))
            return;
        DWORD number = HIWORD(address), function = LOWORD(address);
        // Where no configuration address reaches, the driver would never
        // read it either, and the address's masking must not fold it onto another.
        if (bus > 0xFF || number > 0x1F || function > 0x07)
            return;

        std::string hardwareIds = IdList(api, set, device, SPDRP_HARDWAREID);
        std::string compatibleIds = IdList(api, set, device, SPDRP_COMPATIBLEIDS);
        Registers registers;
        uint32_t vendor, id, subsystem, revision, classCode;
        if (HexField(hardwareIds, "VEN", 4, vendor) && HexField(hardwareIds, "DEV", 4, id))
            registers.id = id << 16 | vendor;
        if (HexField(hardwareIds, "REV", 2, revision) && ClassCode(compatibleIds, classCode))
            registers.classRevision = classCode << 8 | revision;
        if (HexField(hardwareIds, "SUBSYS", 8, subsystem))
            registers.subsystem = subsystem;
        // The first of two that claim one place stays.
        functions.emplace(PCIConfigAddress(bus, number, function, 0), registers);
    };
    Listing listing =
        DeviceInfoSet::ForEachDevice(api, nullptr, "PCI", DIGCF_ALLCLASSES | DIGCF_PRESENT, add);
    // Half a tree would pass for a machine with fewer functions.
    if (listing == Listing::Broken)
        throw Except_NoAccess(source, "PCI device listing failed partway");
    if (listing != Listing::Complete)
        throw Except_NoAccess(source, "Unable to list PCI devices");
}

uint32_t PCI_PnP::Read(uint8_t bus, uint8_t device, uint8_t function, uint8_t offset) {
    uint32_t address = PCIConfigAddress(bus, device, function, offset);
    auto found = functions.find(address & ~0xFFu);
    if (found == functions.end())
        return allOnes;
    switch (address & 0xFF) {
    case 0x00:
        return found->second.id;
    case 0x08:
        return found->second.classRevision;
    case 0x2C:
        return found->second.subsystem;
    default:
        return allOnes;
    }
}
