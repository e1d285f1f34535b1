#!/usr/bin/env python3
"""Reads the 32-bit SysReport.exe and PCIUtil.sys without running them and
checks what the oldest supported Windows needs of them:

  - every import is in the import list, under the image that makes it;
  - the program is i386, GUI subsystem, subsystem version at most 4.0;
  - its DRV/113 resource is byte for byte the driver image;
  - the driver is i386, native subsystem, has an entry point and a PE
    checksum that matches its bytes, and imports nothing newer than NT 4.0.

    check_artefacts.py IMPORT_LIST SYSREPORT_EXE PCIUTIL_SYS

Prints every fault found, one a line, and exits 1 if there was any."""
import os
import re
import sys

import pefile

I386 = 0x14C
PE32 = 0x10B
GUI, NATIVE = 2, 1
# NT releases in order; an import list entry gives one of these.
NT_RELEASES = ["3.1", "3.5", "3.51", "4.0", "2000", "XP", "2003", "Vista", "7", "8", "8.1", "10"]
NT_FLOOR = "4.0"
WIN9X = {"95", "98", "stub", "-"}


def imports(pe):
    """(DLL, function) pairs; a function imported by ordinal is '#n'."""
    return [(entry.dll.decode("ascii"),
             fn.name.decode("ascii") if fn.name else "#%d" % fn.ordinal)
            for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])
            for fn in entry.imports]


def resources(pe, type_name, res_id):
    """The data of every language of resource type_name/res_id."""
    def key(entry):
        return str(entry.name) if entry.name is not None else entry.id

    found = []
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for types in (root.entries if root else []):
        if key(types) != type_name:
            continue
        for names in types.directory.entries:
            if key(names) != res_id:
                continue
            for lang in names.directory.entries:
                found.append(pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size))
    return found


def check_headers(name, pe, subsystem, faults):
    """The machine, format (PE32) and subsystem every image here must have."""
    if pe.FILE_HEADER.Machine != I386:
        faults.append("%s: machine 0x%x, not i386 (0x14c)" % (name, pe.FILE_HEADER.Machine))
    if pe.OPTIONAL_HEADER.Magic != PE32:
        faults.append("%s: optional header magic 0x%x, not PE32 (0x10b)"
                      % (name, pe.OPTIONAL_HEADER.Magic))
    if pe.OPTIONAL_HEADER.Subsystem != subsystem:
        faults.append("%s: subsystem %d, not %s (%d)"
                      % (name, pe.OPTIONAL_HEADER.Subsystem,
                         "Windows GUI" if subsystem == GUI else "native", subsystem))


def read_list(path):
    """{image: {(dll, function): (win9x, nt, note)}} from the import list."""
    allowed, image = {}, None
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            where = "%s:%d" % (os.path.basename(path), n)
            if line.startswith("[") and line.endswith("]"):
                image = allowed.setdefault(line[1:-1], {})
                continue
            fields = line.split(None, 4)
            if image is None or len(fields) < 4:
                raise ValueError("%s: expected [image] or 'DLL Function 9x NT note'" % where)
            dll, fn, win9x, nt = fields[:4]
            note = fields[4] if len(fields) > 4 else ""
            if win9x not in WIN9X or nt not in NT_RELEASES:
                raise ValueError("%s: 9x column must be one of %s and NT one of %s"
                                 % (where, "/".join(sorted(WIN9X)), "/".join(NT_RELEASES)))
            if win9x in ("stub", "-") and not note:
                raise ValueError("%s: %s has no working 9x export: the note must say why it is "
                                 "harmless or needed" % (where, fn))
            image[(dll.lower(), fn)] = (win9x, nt, note)
    return allowed


def check_imports(name, pe, allowed, faults):
    listed = allowed.get(name, {})
    found = imports(pe)
    imported = {(dll.lower(), fn) for dll, fn in found}
    # The list says what the image needs: nothing more.
    for dll, fn in sorted(set(listed) - imported):
        faults.append("%s does not import %s!%s: drop it from the import list" % (name, dll, fn))
    for dll, fn in found:
        entry = listed.get((dll.lower(), fn))
        if entry is None:
            faults.append("%s imports %s!%s, which is not in the import list" % (name, dll, fn))
        elif NT_RELEASES.index(entry[1]) > NT_RELEASES.index(NT_FLOOR):
            faults.append("%s imports %s!%s, listed as first exported by Windows %s, after NT %s"
                          % (name, dll, fn, entry[1], NT_FLOOR))


def shared_names():
    """The #defines of the header the driver and the program share."""
    header = os.path.join(os.path.dirname(__file__), "..", "..", "driver", "PCIUtilIoctl.h")
    with open(header) as f:
        return {name: text or word for name, text, word in
                re.findall(r'^#define (PCIUTIL_\w+) (?:"([^"]*)"|(\S+))', f.read(), re.M)}


def check(list_path, exe_path, sys_path):
    faults = []
    allowed = read_list(list_path)
    names = shared_names()
    exe_name, sys_name = "SysReport.exe", names["PCIUTIL_FILE_NAME"]  # the list's sections
    res_type, res_id = names["PCIUTIL_RESOURCE_TYPE"], int(names["PCIUTIL_RESOURCE_ID"])
    res_name = "%s/%d" % (res_type, res_id)
    images, data = {}, {}
    for path in (exe_path, sys_path):
        try:
            with open(path, "rb") as f:
                data[path] = f.read()
            images[path] = pefile.PE(data=data[path])
        except FileNotFoundError:
            faults.append("%s: missing; the 32-bit product must be built first (scripts/test "
                          "builds it)" % path)
        except (OSError, pefile.PEFormatError) as e:
            faults.append("%s: cannot read the 32-bit artefact: %s" % (path, e))
    if len(images) < 2:
        return faults

    exe, drv = images[exe_path], images[sys_path]
    check_headers(exe_name, exe, GUI, faults)
    version = (exe.OPTIONAL_HEADER.MajorSubsystemVersion, exe.OPTIONAL_HEADER.MinorSubsystemVersion)
    if version > (4, 0):
        faults.append("%s: subsystem version %d.%d, above 4.0" % ((exe_name,) + version))
    check_imports(exe_name, exe, allowed, faults)

    image = data[sys_path]
    embedded = resources(exe, res_type, res_id)
    if not embedded:
        faults.append("%s: no %s resource" % (exe_name, res_name))
    for res in embedded:
        if res != image:
            at = next((i for i, (a, b) in enumerate(zip(res, image)) if a != b), min(len(res), len(image)))
            faults.append("%s: %s (%d bytes) differs from %s (%d bytes) at byte %d"
                          % (exe_name, res_name, len(res), sys_name, len(image), at))

    check_headers(sys_name, drv, NATIVE, faults)
    if not drv.OPTIONAL_HEADER.AddressOfEntryPoint:
        faults.append("%s: no entry point (AddressOfEntryPoint is 0)" % sys_name)
    computed = drv.generate_checksum()
    if drv.OPTIONAL_HEADER.CheckSum != computed:
        faults.append("%s: PE checksum 0x%08x, but its bytes sum to 0x%08x"
                      % (sys_name, drv.OPTIONAL_HEADER.CheckSum, computed))
    # The driver's imports against the NT column like the program's: a
    # kernel routine that NT 4.0 lacks stops the driver loading there.
    check_imports(sys_name, drv, allowed, faults)
    return faults


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    faults = check(*argv[1:])
    for fault in faults:
        print("FAIL: " + fault)
    if not faults:
        print("ok: imports, headers, embedded driver and checksum of the 32-bit artefacts")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
