/* A stand-in hal.dll for Wine's driver host, so that the PCIUtil driver's
   configuration reads reach a configuration space the driver tests know.
   It serves the test prefix only.

   Bus 0, device 0, function 0 is a Zarnik function: vendor 0x7A3E, device
   0x5B40 in its first dword. Every other dword of every function holds its
   own address, from the low byte up: the offset, the function, the device,
   the bus. Bus 0xFF does not exist. A read is byte-exact: one that starts
   inside a dword starts at that byte, and it ends at the end of the
   256-byte space. */
#include <windows.h>

#define PCI_CONFIGURATION 4 /* BUS_DATA_TYPE PCIConfiguration */

static UCHAR ByteAt(ULONG bus, ULONG slot, ULONG offset) {
    static const UCHAR zarnik[4] = {0x3E, 0x7A, 0x40, 0x5B};
    if (bus == 0 && slot == 0 && offset < 4)
        return zarnik[offset];
    switch (offset & 3) {
    case 0:
        return (UCHAR)offset;
    case 1:
        return (UCHAR)(slot >> 5); /* PCI_SLOT_NUMBER: function in bits 5..7 */
    case 2:
        return (UCHAR)(slot & 0x1F); /* device in bits 0..4 */
    default:
        return (UCHAR)bus;
    }
}

/* The bytes read, 0 where there is nothing to read. */
__declspec(dllexport) ULONG NTAPI HalGetBusDataByOffset(int type, ULONG bus, ULONG slot,
                                                        PVOID buffer, ULONG offset, ULONG length) {
    ULONG n = 0;
    if (type != PCI_CONFIGURATION || bus == 0xFF || slot > 0xFF)
        return 0;
    for (; n < length && offset + n < 256; n++)
        ((UCHAR*)buffer)[n] = ByteAt(bus, slot, offset + n);
    return n;
}

#ifdef __i386__
/* On x86 Wine's own kernel takes its spin locks from the HAL; these are the
   builtin HAL's, on the kernel's own routines. */
__declspec(dllimport) void NTAPI KeAcquireSpinLockAtDpcLevel(ULONG_PTR* lock);
__declspec(dllimport) void NTAPI KeReleaseSpinLockFromDpcLevel(ULONG_PTR* lock);

__declspec(dllexport) void NTAPI KeAcquireSpinLock(ULONG_PTR* lock, UCHAR* oldIrql) {
    KeAcquireSpinLockAtDpcLevel(lock);
    *oldIrql = 0;
}

__declspec(dllexport) void NTAPI KeReleaseSpinLock(ULONG_PTR* lock, UCHAR irql) {
    (void)irql;
    KeReleaseSpinLockFromDpcLevel(lock);
}
#endif

/* No C runtime: the linker's default entry point for a DLL, doing nothing. */
BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
