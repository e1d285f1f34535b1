/* PCIUtil: one PCI configuration read per control request, for an
   application that may not touch the ports itself. One named device that
   only SYSTEM and Administrators may open, one open handle at a time, two
   control codes. */
#include <ntifs.h> /* ntddk.h plus the security and object routines */

#include "driver/PCIUtilIoctl.h"

/* Exported by the kernel; there is no stdio in kernel mode. */
int __cdecl sprintf(char* buffer, const char* format, ...);

/* The system service itself, which every NT kernel exports; its Zw twin is
   exported only from Windows 2000 on. The DDK headers leave it out. */
NTSYSAPI NTSTATUS NTAPI NtSetSecurityObject(HANDLE handle, SECURITY_INFORMATION information,
                                            PSECURITY_DESCRIPTOR descriptor);

_Static_assert(IOCTL_PCIUTIL_GET_VERSION ==
                   CTL_CODE(FILE_DEVICE_UNKNOWN, 0x65, METHOD_BUFFERED, FILE_ANY_ACCESS),
               "version code");
_Static_assert(IOCTL_PCIUTIL_READ_CONFIG ==
                   CTL_CODE(FILE_DEVICE_UNKNOWN, 0xC8, METHOD_BUFFERED, FILE_ANY_ACCESS),
               "read code");

typedef struct PCIUtilExtension {
    PDRIVER_OBJECT DriverObject;
    PDEVICE_OBJECT DeviceObject;
    volatile UCHAR InUse; /* 1 while a handle is open */
    PFILE_OBJECT Owner;   /* the open that was admitted */
    BOOLEAN LinkMade;     /* the DOS name is this driver's own */
} PCIUtilExtension;

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static PFILE_OBJECT FileOf(PIRP irp) {
    return IoGetCurrentIrpStackLocation(irp)->FileObject;
}

static NTSTATUS NTAPI PCIUtilCreate(PDEVICE_OBJECT device, PIRP irp) {
    PCIUtilExtension* ext = device->DeviceExtension;
    /* Nothing lives below the device. A system that ignores
       FILE_DEVICE_SECURE_OPEN checks the device's security only for the
       device's own name, so an open of \Device\PCIUtil\x must end here. */
    if (FileOf(irp)->FileName.Length)
        return Complete(irp, STATUS_ACCESS_DENIED, 0);
    /* Test and set in one step: two racing opens cannot both get in. */
    if (!__sync_bool_compare_and_swap(&ext->InUse, 0, 1))
        return Complete(irp, STATUS_DEVICE_BUSY, 0);
    ext->Owner = FileOf(irp);
    return Complete(irp, STATUS_SUCCESS, 0);
}

/* Some hosts hand out the handle before the create is answered and then
   pass on its requests and its close even when the create was refused;
   only the admitted open may use the device or release it. */
static NTSTATUS NTAPI PCIUtilClose(PDEVICE_OBJECT device, PIRP irp) {
    PCIUtilExtension* ext = device->DeviceExtension;
    if (FileOf(irp) == ext->Owner) {
        ext->Owner = NULL;
        __atomic_store_n(&ext->InUse, 0, __ATOMIC_RELEASE);
    }
    return Complete(irp, STATUS_SUCCESS, 0);
}

/* The read goes through the HAL, which serialises it with the system's own
   configuration accesses; a driver's own address and data port pair could
   be split by them. Bus, slot and offset come from the same masked address
   the program's direct port access writes: the HAL gets the offset of the
   whole dword, never the request's own byte offset. A read the HAL cannot
   satisfy (no such bus, an empty slot) gives all ones, as the bus itself
   answers for an absent function. */
static ULONG ReadConfig(const PCI_Request* request) {
    ULONG address =
        PCIConfigAddress(request->Bus, request->Device, request->Function, request->Offset);
    PCI_SLOT_NUMBER slot;
    ULONG value;

    slot.u.AsULONG = 0;
    slot.u.bits.DeviceNumber = PCIAddressDevice(address);
    slot.u.bits.FunctionNumber = PCIAddressFunction(address);
    if (HalGetBusDataByOffset(PCIConfiguration, PCIAddressBus(address), slot.u.AsULONG, &value,
                              PCIAddressOffset(address), sizeof value) != sizeof value)
        return 0xFFFFFFFF;
    return value;
}

static NTSTATUS NTAPI PCIUtilDeviceControl(PDEVICE_OBJECT device, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    ULONG inLength = stack->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outLength = stack->Parameters.DeviceIoControl.OutputBufferLength;
    PVOID buffer = irp->AssociatedIrp.SystemBuffer;
    PCIUtilExtension* ext = device->DeviceExtension;
    NTSTATUS status = STATUS_SUCCESS;
    ULONG_PTR information = 0;

    /* Only the admitted open is served; a short read request is refused
       whole, its buffer untouched. One exit completes every request. */
    if (stack->FileObject != ext->Owner)
        status = STATUS_DEVICE_BUSY;
    else if (code == IOCTL_PCIUTIL_READ_CONFIG &&
             (inLength < PCI_REQUEST_INPUT_SIZE || outLength < sizeof(PCI_Request)))
        status = STATUS_BUFFER_TOO_SMALL;
    else
        switch (code) {
        case IOCTL_PCIUTIL_READ_CONFIG: {
            PCI_Request* request = buffer;
            request->Value = ReadConfig(request);
            information = sizeof(PCI_Request);
            break;
        }
        case IOCTL_PCIUTIL_GET_VERSION: {
            char text[64];
            ULONG length = (ULONG)sprintf(text, "PCIUtil created on %s", PCIUTIL_BUILD_STAMP);
            if (length > outLength)
                length = outLength;
            if (length)
                memmove(buffer, text, length);
            information = length;
            break;
        }
        default:
            break;
        }
    return Complete(irp, status, information);
}

static VOID NTAPI PCIUtilUnload(PDRIVER_OBJECT driver) {
    UNICODE_STRING link;
    PCIUtilExtension* ext;
    /* Set-up that stopped before the device made no link either. */
    if (!driver->DeviceObject)
        return;
    /* A link of the same name that some other driver made stays. */
    ext = driver->DeviceObject->DeviceExtension;
    if (ext->LinkMade) {
        RtlInitUnicodeString(&link, PCIUTIL_LINK_NAME);
        IoDeleteSymbolicLink(&link);
    }
    IoDeleteDevice(driver->DeviceObject);
}

/* SYSTEM (S-1-5-18) and Administrators (S-1-5-32-544), spelled out: the
   kernel's table of well-known SIDs is reached differently from one release
   to the next. */
typedef struct WellKnownSid {
    UCHAR Revision;
    UCHAR SubAuthorityCount;
    SID_IDENTIFIER_AUTHORITY IdentifierAuthority;
    ULONG SubAuthority[2];
} WellKnownSid;

static const WellKnownSid LocalSystem = {
    SID_REVISION, 1, {SECURITY_NT_AUTHORITY}, {SECURITY_LOCAL_SYSTEM_RID}};
static const WellKnownSid Administrators = {SID_REVISION,
                                            2,
                                            {SECURITY_NT_AUTHORITY},
                                            {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}};

#define SID_LENGTH(count) (FIELD_OFFSET(SID, SubAuthority) + (count) * sizeof(ULONG))
#define DACL_LENGTH                                                                                \
    (sizeof(ACL) + 2 * FIELD_OFFSET(ACCESS_ALLOWED_ACE, SidStart) + SID_LENGTH(1) + SID_LENGTH(2))

/* Replaces the device's default security with a DACL that grants SYSTEM and
   Administrators full access and nobody else anything. Only routines the
   kernel itself exports: IoCreateDeviceSecure lives in a library of the
   driver kit, not in the kernel. */
static NTSTATUS RestrictToAdministrators(PDEVICE_OBJECT device) {
    union {
        ACL Header;
        ULONG Bytes[(DACL_LENGTH + sizeof(ULONG) - 1) / sizeof(ULONG)];
    } dacl;
    SECURITY_DESCRIPTOR descriptor;
    HANDLE handle;
    NTSTATUS status;

    status = RtlCreateAcl(&dacl.Header, DACL_LENGTH, ACL_REVISION);
    if (NT_SUCCESS(status))
        status =
            RtlAddAccessAllowedAce(&dacl.Header, ACL_REVISION, FILE_ALL_ACCESS, (PSID)&LocalSystem);
    if (NT_SUCCESS(status))
        status = RtlAddAccessAllowedAce(&dacl.Header, ACL_REVISION, FILE_ALL_ACCESS,
                                        (PSID)&Administrators);
    if (NT_SUCCESS(status))
        status = RtlCreateSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    if (NT_SUCCESS(status))
        status = RtlSetDaclSecurityDescriptor(&descriptor, TRUE, &dacl.Header, FALSE);
    if (!NT_SUCCESS(status))
        return status;

    /* DriverEntry runs in a thread of the system process, whose handles
       user mode cannot reach, and whose previous mode is kernel mode: the
       system service takes this handle and descriptor as they are. */
    status = ObOpenObjectByPointer(device, 0, NULL, WRITE_DAC, NULL, KernelMode, &handle);
    if (!NT_SUCCESS(status))
        return status;
    status = NtSetSecurityObject(handle, DACL_SECURITY_INFORMATION, &descriptor);
    ZwClose(handle);
    return status;
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    UNICODE_STRING name, link;
    PDEVICE_OBJECT device;
    PCIUtilExtension* ext;
    NTSTATUS status;
    (void)registryPath;

    driver->MajorFunction[IRP_MJ_CREATE] = PCIUtilCreate;
    driver->MajorFunction[IRP_MJ_CLOSE] = PCIUtilClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = PCIUtilDeviceControl;
    driver->DriverUnload = PCIUtilUnload;

    RtlInitUnicodeString(&name, PCIUTIL_DEVICE_NAME);
    /* FILE_DEVICE_SECURE_OPEN: where the system honours it, names below the
       device are checked against the device's security too. */
    status = IoCreateDevice(driver, sizeof(PCIUtilExtension), &name, FILE_DEVICE_UNKNOWN,
                            FILE_DEVICE_SECURE_OPEN, FALSE, &device);
    /* Without a device there is nothing to serve: the service must not start. */
    if (!NT_SUCCESS(status))
        return status;
    /* Nor with a device that anyone could open. The security is in place
       before the device leaves initialisation or gets its link. */
    status = RestrictToAdministrators(device);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(device);
        return status;
    }

    ext = device->DeviceExtension;
    ext->DriverObject = driver;
    ext->DeviceObject = device;
    ext->InUse = 0;
    ext->Owner = NULL;
    ext->LinkMade = FALSE;
    device->Flags |= DO_DIRECT_IO;
    device->Flags &= ~DO_DEVICE_INITIALIZING;

    /* Without the link the driver would be loaded but unreachable, and the
       name may be another product's: the service must not start then. Some
       hosts open a link that already exists and answer with a success code
       that says so; that link is not this driver's either. */
    RtlInitUnicodeString(&link, PCIUTIL_LINK_NAME);
    status = IoCreateSymbolicLink(&link, &name);
    if (status != STATUS_SUCCESS) {
        IoDeleteDevice(device);
        return NT_SUCCESS(status) ? STATUS_OBJECT_NAME_COLLISION : status;
    }
    ext->LinkMade = TRUE;
    return STATUS_SUCCESS;
}
