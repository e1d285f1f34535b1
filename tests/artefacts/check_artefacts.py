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
import struct
import sys

I386 = 0x14C
GUI, NATIVE = 2, 1
# NT releases in order; an import list entry gives one of these.
NT_RELEASES = ["3.1", "3.5", "3.51", "4.0", "2000", "XP", "2003", "Vista", "7", "8", "8.1", "10"]
NT_FLOOR = "4.0"
WIN9X = {"95", "98", "stub", "-"}


class PE:
    """The headers, imports and resources of a 32-bit PE file."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError("not an MZ/PE file")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, nsections = struct.unpack_from("<HH", d, pe + 4)
        opt_size = struct.unpack_from("<H", d, pe + 20)[0]
        opt = pe + 24
        self.magic = struct.unpack_from("<H", d, opt)[0]
        if self.magic != 0x10B:
            raise ValueError("optional header magic 0x%x, not PE32 (0x10b)" % self.magic)
        self.entry = struct.unpack_from("<I", d, opt + 16)[0]
        self.subsystem_version = struct.unpack_from("<HH", d, opt + 48)
        self.checksum_offset = opt + 64
        self.checksum, self.subsystem = struct.unpack_from("<IH", d, opt + 64)
        ndirs = struct.unpack_from("<I", d, opt + 92)[0]
        self.dirs = [struct.unpack_from("<II", d, opt + 96 + 8 * i) for i in range(ndirs)]
        table = opt + opt_size
        self.sections = [struct.unpack_from("<IIII", d, table + 40 * i + 8) for i in range(nsections)]

    def offset(self, rva):
        for vsize, va, rawsize, raw in self.sections:
            if va <= rva < va + max(vsize, rawsize):
                return raw + rva - va
        raise ValueError("RVA 0x%x lies in no section" % rva)

    def cstring(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii")

    def imports(self):
        """(DLL, function) pairs; a function imported by ordinal is '#n'."""
        rva = self.dirs[1][0] if len(self.dirs) > 1 else 0
        found = []
        while rva:
            lookup, _, _, name, iat = struct.unpack_from("<IIIII", self.data, self.offset(rva))
            if not name:
                break
            dll = self.cstring(name)
            thunk = self.offset(lookup or iat)
            while True:
                entry = struct.unpack_from("<I", self.data, thunk)[0]
                if not entry:
                    break
                fn = "#%d" % (entry & 0xFFFF) if entry & 0x80000000 else self.cstring(entry + 2)
                found.append((dll, fn))
                thunk += 4
            rva += 20
        return found

    def resources(self, type_name, res_id):
        """The data of every language of resource type_name/res_id."""
        base = self.offset(self.dirs[2][0]) if len(self.dirs) > 2 and self.dirs[2][0] else None
        if base is None:
            return []

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                key, child = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                if key & 0x80000000:
                    s = base + (key & 0x7FFFFFFF)
                    n = struct.unpack_from("<H", self.data, s)[0]
                    key = self.data[s + 2:s + 2 + 2 * n].decode("utf-16-le")
                yield key, child

        found = []
        for key, types in entries(base):
            if key != type_name:
                continue
            for key, langs in entries(base + (types & 0x7FFFFFFF)):
                if key != res_id:
                    continue
                for _, leaf in entries(base + (langs & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    found.append(self.data[self.offset(rva):self.offset(rva) + size])
        return found

    def computed_checksum(self):
        """The image's 16-bit words summed with end-around carry, plus its length."""
        d = bytearray(self.data)
        d[self.checksum_offset:self.checksum_offset + 4] = b"\0\0\0\0"
        if len(d) % 2:
            d.append(0)
        total = sum(struct.unpack("<%dH" % (len(d) // 2), d))
        while total >> 16:
            total = (total & 0xFFFF) + (total >> 16)
        return total + len(self.data)


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
    imported = {(dll.lower(), fn) for dll, fn in pe.imports()}
    # The list says what the image needs: nothing more.
    for dll, fn in sorted(set(listed) - imported):
        faults.append("%s does not import %s!%s: drop it from the import list" % (name, dll, fn))
    for dll, fn in pe.imports():
        entry = listed.get((dll.lower(), fn))
        if entry is None:
            faults.append("%s imports %s!%s, which is not in the import list" % (name, dll, fn))
        elif NT_RELEASES.index(entry[1]) > NT_RELEASES.index(NT_FLOOR):
            faults.append("%s imports %s!%s, listed as first exported by Windows %s, after NT %s"
                          % (name, dll, fn, entry[1], NT_FLOOR))


def check(list_path, exe_path, sys_path):
    faults = []
    allowed = read_list(list_path)
    exe_name, sys_name = "SysReport.exe", "PCIUtil.sys"  # the list's sections
    images = {}
    for path in (exe_path, sys_path):
        try:
            images[path] = PE(path)
        except FileNotFoundError:
            faults.append("%s: missing; the 32-bit product must be built first (scripts/test "
                          "builds it)" % path)
        except (OSError, ValueError, struct.error) as e:
            faults.append("%s: cannot read the 32-bit artefact: %s" % (path, e))
    if len(images) < 2:
        return faults

    exe, drv = images[exe_path], images[sys_path]
    if exe.machine != I386:
        faults.append("%s: machine 0x%x, not i386 (0x14c)" % (exe_name, exe.machine))
    if exe.subsystem != GUI:
        faults.append("%s: subsystem %d, not Windows GUI (2)" % (exe_name, exe.subsystem))
    if exe.subsystem_version > (4, 0):
        faults.append("%s: subsystem version %d.%d, above 4.0" % ((exe_name,) + exe.subsystem_version))
    check_imports(exe_name, exe, allowed, faults)

    image = drv.data
    embedded = exe.resources("DRV", 113)
    if not embedded:
        faults.append("%s: no DRV/113 resource" % exe_name)
    for res in embedded:
        if res != image:
            at = next((i for i, (a, b) in enumerate(zip(res, image)) if a != b), min(len(res), len(image)))
            faults.append("%s: DRV/113 (%d bytes) differs from %s (%d bytes) at byte %d"
                          % (exe_name, len(res), sys_name, len(image), at))

    if drv.machine != I386:
        faults.append("%s: machine 0x%x, not i386 (0x14c)" % (sys_name, drv.machine))
    if drv.subsystem != NATIVE:
        faults.append("%s: subsystem %d, not native (1)" % (sys_name, drv.subsystem))
    if not drv.entry:
        faults.append("%s: no entry point (AddressOfEntryPoint is 0)" % sys_name)
    if drv.checksum != drv.computed_checksum():
        faults.append("%s: PE checksum 0x%08x, but its bytes sum to 0x%08x"
                      % (sys_name, drv.checksum, drv.computed_checksum()))
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
