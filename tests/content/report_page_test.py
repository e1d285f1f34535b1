#!/usr/bin/env python3
"""The report page in a real browser: the shipped template and the data
file's script section, with test assignments in front of the script, loaded
in headless Chromium. Also the contract between the data file's variable
section and the script, which needs no browser.

usage: report_page_test.py CHROMIUM TEMPLATE DATAFILE"""
import re
import sys
from concurrent.futures import ThreadPoolExecutor

from reportpage import load, split_datafile, statements, assignments

failures = []


def check(cond, what):
    if not cond:
        failures.append(what)
    return cond


chromium, template_path, datafile_path = sys.argv[1:4]
template = open(template_path, "rb").read()
datafile = open(datafile_path, "rb").read()
variables, script = split_datafile(datafile)
stmts = statements(variables)
drivers = [s.name for s in stmts if s.kind == "driver"]
maker = int(re.search(rb"var ZarnikVendorID = 0x([0-9A-F]{4});", script).group(1), 16)
title = re.search(rb"<TITLE>(.*)</TITLE>", template).group(1).decode("cp1252")

# A machine with the maker's chipset and none of its wireless adapters.
BASE = {"VendorID": maker, "DeviceID": 0x41C0, "AGP": 0x41C1, "ICH": 0x42AE, "ICHR": 0x42A0,
        "IDE": 0x42A1, "SMBus": 0x42A3, "ICHRev": 1, "ICHRRev": 1, "IDERev": 1, "SMBusRev": 1}


def page(pci=None, found=None, version=b"3.03", tail=b""):
    values = dict(BASE, **(pci or {}))
    return assignments(stmts, values, found or {}, version) + script + tail


# Chipset functions: the main flow does not call them, so a probe after the
# script sets the registers of each machine, calls them and writes results.
CHIPSETS = [
    ({"DeviceID": 0x41C0, "AGP": 0x41C1, "GFX": 0xFFFF, "IDE": 0x42A1, "SMBusRev": 2},
     ["Tern Chipset Family", "ZT-210 Memory", "ZIO-4 I/O Controller Hub (B stepping)",
      "Not Detected or Disabled"]),
    ({"DeviceID": 0x41C0, "AGP": 0xFFFF, "GFX": 0x41C2, "IDE": 0x42A1, "SMBusRev": 1},
     ["Tern Chipset Family", "ZT-210G Memory", "ZIO-4 I/O Controller Hub", "Tern Integrated Graphics"]),
    ({"DeviceID": 0x41D0, "ICHR": 0x42B0, "IDE": 0x42B1, "ICH": 0x42BE},
     ["Heron Chipset Family", "ZH-320E Memory", "ZIO-4ER I/O"]),
    ({"DeviceID": 0x41E0, "IDE": 0x42C1, "SMBus": 0xFFFF},
     ["Lark Chipset Family", "ZL-430M Memory", "ZIO-5M I/O Controller Hub (SMBus controller disabled)"]),
    ({"DeviceID": 0x41C0, "AGP": 0xFFFF, "GFX": 0xFFFF, "IDE": 0x42D1},
     ["Failed to identify your chipset", "Failed to identify your ICH"]),
    ({"DeviceID": 0x1234, "IDE": 0x42A1},
     ["Failed to identify your chipset", "ZIO-4 I/O"]),
]


def chipset_probe():
    js = b"\r\nfunction Probe(){CSStr=MCHStr=ICHStr='';GFXStr='<p>Not Detected or Disabled</p>';"
    js += b"IdentifyMCH();IdentifyICH();document.write('<div class=probe>'+CSStr+MCHStr+ICHStr+GFXStr+'</div>');}"
    for regs, _ in CHIPSETS:
        values = dict(BASE, GFX=0xFFFF)
        values.update(regs)
        js += b"\r\n" + b"".join(b"%s=0x%X;" % (k.encode(), v) for k, v in values.items()) + b"Probe();"
    return js


W310, W530 = drivers[0], drivers[4]
NAME530 = b"Zarnik\xae WaveLink 530AG <i>Dual</i> & more"
PAGES = {
    "other_vendor": page({"VendorID": 0x6C1F}, {W310: (b"Zarnik WaveLink 310", b"1.0.0.1")}, b"7.10"),
    "no_driver": page(),
    "two_drivers": page(found={W310: (b"Zarnik WaveLink 310", b"1.0.0.1"), W530: (NAME530, b"9.0.1.2")}),
    "no_assignments": script,
    "chipsets": page(tail=chipset_probe()),
}


def test_other_vendor(p):
    report = p.report()
    check(report.text().strip() == "This system does not contain a Zarnik\xae chipset. "
          "This utility identifies Zarnik\xae hardware only.", "other vendor: only the error paragraph")
    check(p.dom.by_id("Table2") is None and report.first("strong") is None, "other vendor: no driver table")
    check(p.title() == title + ", Version 7.10", "other vendor: title suffix")


def test_no_driver(p):
    text = p.report().text()
    check("Wireless LAN Hardware and Driver Version:" in text, "no driver: header")
    check("Wireless LAN Hardware not detected." in text and "Possible Causes:" in text,
          "no driver: not detected, possible causes")
    causes = [li.text() for li in p.report().all("li")]
    check(causes == ["No Wireless LAN hardware is installed.",
                     "The Wireless LAN hardware installed cannot be detected by this utility."],
          "no driver: the two causes in an ordered list")
    check(p.report().first("ol") is not None, "no driver: ordered list")
    check(p.dom.by_id("Table2") is None, "no driver: no driver table")
    check(p.title() == title + ", Version 3.03", "no driver: title suffix")


def test_two_drivers(p):
    outer = p.dom.by_id("Table2")
    if not check(outer is not None, "two drivers: driver table"):
        return
    cell = outer.first("td")
    check(cell.attrs.get("bgcolor") == "#ff9900", "two drivers: orange frame")
    inner = cell.first("table")
    shown = NAME530.decode("cp1252")
    check(inner.rows() == [["Hardware", "Driver Version"], [shown, "9.0.1.2"]],
          "two drivers: only the later one, under Hardware and Driver Version: %r" % inner.rows())
    check(inner.first("i") is None, "two drivers: a description is text, not markup")
    check("WaveLink 310" not in p.report().text(), "two drivers: the earlier one is not shown")
    heads = [td for td in inner.all("td")][:2]
    check(all(td.attrs.get("bgcolor") == "#efefef" and td.first("b") for td in heads),
          "two drivers: bold grey header")
    check(any(".example/" in a.attrs.get("href", "") for a in p.report().all("a")),
          "two drivers: driver download link")
    check(p.title() == title + ", Version 3.03", "two drivers: title suffix")


def test_no_assignments(p):
    # Without the generated assignments the script fails; the checks above
    # rely on seeing exactly this kind of failure.
    check(any("VendorID is not defined" in e for e in p.errors), "missing variables: script error logged")


def test_chipsets(p):
    probes = [d.text() for d in p.dom.all("div") if d.attrs.get("class") == "probe"]
    check(len(probes) == len(CHIPSETS), "chipsets: one result per machine")
    for i, (text, (regs, want)) in enumerate(zip(probes, CHIPSETS)):
        for w in want:
            check(w in text, "chipsets %d: %r not in %r" % (i, w, text))


def test_layout(p):
    layout = p.dom.by_id("AutoNumber1")
    rows = layout.first("tbody").children
    rows = [r for r in rows if not isinstance(r, str) and r.tag == "tr"]
    check(len(rows) == 3 and all(len([c for c in r.children if not isinstance(c, str)]) == 4 for r in rows),
          "layout: three rows of four cells")
    nav = [c for c in rows[1].children if not isinstance(c, str)]
    check(nav[0].attrs.get("bgcolor") == "#0000FF" and nav[0].attrs.get("width") == "15%"
          and nav[1].attrs.get("bgcolor") == "#FF9933", "layout: blue navigation, orange stripe")
    check(rows[0].first("h2").text() == "System Information", "layout: heading")
    home = nav[0].first("a")
    check(home.text() == "Support Home" and ".example/" in home.attrs["href"], "layout: support link")
    check("system manufacturer or place of purchase" in rows[2].text(), "layout: note")
    check(p.dom.first("h1").text() == title, "layout: title heading")
    check(re.search(rb'charset=windows-1252">\r\n', template), "template: windows-1252")
    check(b'<!---CUSTOM INPUT--->\r\n<SCRIPT SRC="input.txt" LANGUAGE=JAVASCRIPT TYPE="TEXT/JAVASCRIPT">'
          b'</SCRIPT>\r\n<!---/CUSTOM INPUT--->' in template, "template: script include")


def test_datafile():
    check(b"\n" not in datafile.replace(b"\r\n", b""), "data file: CR LF line ends")
    kinds = [s.kind for s in stmts]
    check(kinds == ["pci"] * 12 + ["driver"] * 7 + ["version"], "data file: 12 PCI, 7 DRIVER, version last")
    pci = {}
    for s in stmts:
        if s.kind == "pci":
            m = re.fullmatch(r" PCI\((\d+),(\d+),(\d+),(\d+)\[(\d+):(\d+)\]\)", s.value)
            if check(m, "data file: %s reads a register and bit range" % s.name):
                pci[s.name] = tuple(int(x) for x in m.groups())
        elif s.kind == "driver":
            m = re.fullmatch(r" DRIVER\(net, VEN_([0-9A-F]{4})&DEV_[0-9A-F]{4}&SUBSYS_[0-9A-F]{2}\)", s.value)
            check(m and int(m.group(1), 16) == maker, "data file: %s names a net adapter of the maker" % s.name)
    check(pci.get("VendorID") == (0, 0, 0, 0, 15, 0), "data file: vendor ID of the host bridge")
    ids = {n: r[:3] for n, r in pci.items() if r[3:] == (0, 31, 16)}
    revs = {n: r[:3] for n, r in pci.items() if r[3:] == (8, 3, 0)}
    check(len(ids) == 7 and ids.get("DeviceID") == (0, 0, 0) and len(revs) == 4,
          "data file: seven device IDs, four revisions")
    check(set(revs.values()) <= set(ids.values()), "data file: revisions of read positions")
    check(any(d == 32 for _, d, _ in ids.values()), "data file: a position written with device 32")


KEYWORDS = set("""break case catch continue default delete do else finally for function if in
    instanceof new return switch this throw try typeof var void while with true false null
    undefined document String Math Number parseInt""".split())


def script_code():
    """The script without comments, strings and regular expressions."""
    code = script.decode("cp1252")
    out, i, prev = [], 0, "("
    while i < len(code):
        c = code[i]
        if code.startswith("//", i):
            i = code.find("\n", i)
            i = len(code) if i < 0 else i
        elif code.startswith("/*", i):
            i = code.index("*/", i) + 2
        elif c in "\"'" or (c == "/" and prev in "(,=:[!&|?{};"):
            j = i + 1
            while code[j] != c:
                j += 2 if code[j] == "\\" else 1
            i = j + 1
            while c == "/" and i < len(code) and code[i].isalpha():
                i += 1  # the flags of a regular expression
            out.append(' "" ')
            prev = '"'
        else:
            out.append(c)
            prev = c if not c.isspace() else prev
            i += 1
    return "".join(out)


def test_contract():
    code = script_code()
    check(not re.search(r"=>|`|\b(let|const|class)\b", code), "script: only var and function syntax")
    names = set(re.findall(r"(?<![\w$.])[A-Za-z_$][\w$]*", code))
    own = set(re.findall(r"\b(?:var|function)\s+([A-Za-z_$][\w$]*)", code))
    for params in re.findall(r"\bfunction\s*[\w$]*\s*\(([^)]*)\)", code):
        own |= {p.strip() for p in params.split(",") if p.strip()}
    reads = names - own - KEYWORDS
    declared = {g for s in stmts for g in s.globals()}
    check(reads <= declared, "contract: read but not declared: %s" % sorted(reads - declared))
    check({"VendorID", "UTILITY_VERSION", "SMBusRev"} <= reads, "contract: the scan finds the reads")
    pairs = {d + w for d in drivers for w in ("Name", "Version")}
    check(pairs <= reads, "contract: DRIVER pairs never read: %s" % sorted(pairs - reads))
    check({"ICHRev", "ICHRRev", "IDERev"} <= declared, "contract: revision fields declared")


with ThreadPoolExecutor(3) as pool:
    loaded = dict(zip(PAGES, pool.map(lambda b: load(chromium, template, b), PAGES.values())))

for name, p in loaded.items():
    if name != "no_assignments":
        check(not p.errors, "%s: script errors %s" % (name, p.errors))
    globals()["test_" + name](p)
test_layout(loaded["no_driver"])
test_datafile()
test_contract()

for f in failures:
    print("FAIL:", f)
print("%d failures" % len(failures))
sys.exit(1 if failures else 0)
