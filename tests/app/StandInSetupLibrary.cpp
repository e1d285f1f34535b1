// Stands in for the system's SetupApi.dll in one run of the program: the
// setup-API doubles, exported under the library's own names, play a made-up
// machine. Its PCI enumerator lists five functions (standInRegisters in
// EndToEnd.h is what the report reads of them); the last, on bus 2, is the
// wireless adapter of the class "net", whose installed driver has a
// description that no report may take at its word.
#include "support/FakeSetupApi.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    fakeSetup.devices = {
        PciFunction(0, 0, 0,
                    MultiString({"PCI\\VEN_7A3E&DEV_5B40&SUBSYS_5B407A3E&REV_02",
                                 "PCI\\VEN_7A3E&DEV_5B40&SUBSYS_5B407A3E"}),
                    MultiString({"PCI\\VEN_7A3E&DEV_5B40&REV_02", "PCI\\VEN_7A3E&CC_060000",
                                 "PCI\\CC_060000", "PCI\\CC_0600"})),
        PciFunction(0, 0, 2, MultiString({"PCI\\VEN_7A3E&DEV_5B42&SUBSYS_5B427A3E&REV_02"}),
                    MultiString({"PCI\\VEN_7A3E&DEV_5B42&REV_02", "PCI\\CC_030000"})),
        PciFunction(0, 31, 0, MultiString({"PCI\\VEN_7A3E&DEV_5B70&REV_05"}),
                    MultiString({"PCI\\CC_0601"})),
        PciFunction(0, 31, 3, MultiString({"PCI\\VEN_7A3E&DEV_5B73&SUBSYS_5B737A3E&REV_05"}),
                    MultiString({"PCI\\CC_0C0500"})),
        PciFunction(2, 0, 0, MultiString({"PCI\\VEN_7A3E&DEV_4D31&SUBSYS_00117A3E&REV_01"}),
                    MultiString({"PCI\\CC_028000"}))};
    FakeDevice& adapter = fakeSetup.devices.back();
    adapter.id = "PCI\\VEN_7A3E&DEV_4D31&SUBSYS_11117A3E&REV_01\\4&1&0&00E0";
    // A quote, a backslash, a control byte, a byte above 0x7F, and markup; in
    // code page 932, as a Japanese system would give it, "Kit " and katakana
    // so, whose second byte is ASCII's backslash.
    adapter.drivers = {
        {GetACP() == 932 ? "Kit \x83\x5C" : "Zarnik \"WaveLink\" 310\\A\x01\tB\xE9 </script><b>x",
         Version(7, 2, 0, 16)}};
    return TRUE;
}
