/* What the program and the PCIUtil driver must agree on: the names, the
   control codes, the request record and the configuration address. Plain C,
   so that the driver can include it; the resource compiler reads the
   #defines. */
#pragma once

/* The driver's file, the service that loads it, and the device it makes. */
#define PCIUTIL_FILE_NAME "PCIUtil.sys"
#define PCIUTIL_SERVICE_NAME "PCIUtil"
#define PCIUTIL_DISPLAY_NAME "PCI Utility"
#define PCIUTIL_DEVICE_NAME L"\\Device\\PCIUtil"
#define PCIUTIL_LINK_NAME L"\\DosDevices\\PCIUtil"
#define PCIUTIL_DEVICE_PATH "\\\\.\\PCIUtil" /* the link, as a program opens it */

/* The program carries the image as this resource. The resource compiler
   takes the type as a word; PCIUTIL_RESOURCE_TYPE_TEXT is it as a text. */
#define PCIUTIL_RESOURCE_TYPE DRV
#define PCIUTIL_RESOURCE_ID 113
#define PCIUTIL_TEXT_(word) #word
#define PCIUTIL_TEXT(word) PCIUTIL_TEXT_(word)
#define PCIUTIL_RESOURCE_TYPE_TEXT PCIUTIL_TEXT(PCIUTIL_RESOURCE_TYPE)

/* Held by the run that has the driver, so that another run doesn't take
   its live service for a leftover. */
#define PCIUTIL_CLAIM_NAME "SysReport.PCIUtil"

/* What the version request answers after "PCIUtil created on ". */
#define PCIUTIL_BUILD_STAMP "Thu May 27 14:56:42 2004"

#ifndef RC_INVOKED

/* Device type 0x22 (unknown), buffered, any access: a handle opened with no
   access rights may send them. */
#define IOCTL_PCIUTIL_GET_VERSION 0x220194u /* function 0x65: the build-stamp text */
#define IOCTL_PCIUTIL_READ_CONFIG 0x220320u /* function 0xC8: one configuration dword */

/* One buffer, both directions. Bytes 0..3 go in; the driver hands back all
   eight, the first four unchanged and the dword in Value (little-endian). */
typedef struct PCI_Request {
    unsigned char Bus;
    unsigned char Device;   /* low 5 bits used */
    unsigned char Function; /* low 3 bits used */
    unsigned char Offset;   /* bits 7..2 used */
    unsigned int Value;
} PCI_Request;

#ifdef __cplusplus
static_assert(sizeof(PCI_Request) == 8, "PCI_Request is 8 bytes on the wire");
#else
_Static_assert(sizeof(PCI_Request) == 8, "PCI_Request is 8 bytes on the wire");
#endif

/* The bytes of PCI_Request that a read request must carry. */
#define PCI_REQUEST_INPUT_SIZE 4u

/* Configuration space is read a whole aligned dword at a time: the offset
   of the dword that holds the byte at `offset`. */
static inline unsigned char PCIDwordOffset(unsigned char offset) {
    return (unsigned char)(offset & 0xFC);
}

/* The value for port 0xCF8 (configuration mechanism #1): enable bit, bus,
   device, function, and the dword that holds the offset's byte. The driver
   takes the bus, slot and offset it hands the HAL from this same value. */
static inline unsigned int PCIConfigAddress(unsigned char bus, unsigned char device,
                                            unsigned char function, unsigned char offset) {
    return 0x80000000u | (unsigned int)bus << 16 | (unsigned int)(device & 0x1F) << 11 |
           (unsigned int)(function & 0x07) << 8 | PCIDwordOffset(offset);
}

/* The fields of a configuration address, back out of it. */
static inline unsigned char PCIAddressBus(unsigned int address) {
    return (unsigned char)(address >> 16);
}
static inline unsigned char PCIAddressDevice(unsigned int address) {
    return (unsigned char)((address >> 11) & 0x1F);
}
static inline unsigned char PCIAddressFunction(unsigned int address) {
    return (unsigned char)((address >> 8) & 0x07);
}
static inline unsigned char PCIAddressOffset(unsigned int address) {
    return PCIDwordOffset((unsigned char)address);
}

#define PCI_CONFIG_ADDRESS_PORT 0xCF8
#define PCI_CONFIG_DATA_PORT 0xCFC

#endif /* RC_INVOKED */
