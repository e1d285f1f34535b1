#!/usr/bin/env python3
"""The report page in a real browser: the shipped template and input.txt as
the evaluator writes it from the data file for machines described here,
loaded in headless Chromium. Also the contract between the data file's
variable section and the script.

usage: report_page_test.py CHROMIUM TEMPLATE DATAFILE WINE_RUN EVALUATE"""
import re
import sys
from concurrent.futures import ThreadPoolExecutor

from reportpage import MARKER, evaluate, load

failures = []


def check(cond, what):
    if not cond:
        failures.append(what)
    return cond


chromium, template_path, datafile_path, wine_run, evaluator = sys.argv[1:6]
template = open(template_path, "rb").read()
datafile = open(datafile_path, "rb").read()
at = datafile.index(MARKER)
variables, script = datafile[:at], datafile[at:]
# Name, form and arguments of each statement, one a line.
STATEMENT = r"(\w+) = (?:(\w+)\((.*)\))?;\r\n"
STMTS = re.findall(STATEMENT, variables.decode("cp1252"))
maker = int(re.search(rb"var ZarnikVendorID = 0x([0-9A-F]{4});", script).group(1), 16)
title = re.search(rb"<TITLE>(.*)</TITLE>", template).group(1).decode("cp1252")

# Bus 0 of a machine with the maker's chipset, (device, function): device ID.
# The host bridge at 0.0 (its graphics at 0.2), AGP 1.0, I/O hubs 30.0 and
# 31.0 with IDE at 31.1 and SMBus at 31.3.
TERN = {(0, 0): 0x41C0, (1, 0): 0x41C1, (30, 0): 0x42AE, (31, 0): 0x42A0, (31, 1): 0x42A1,
        (31, 3): 0x42A3}


def registers(changes=None, vendor=maker):
    """The ID and revision registers of each function; a change gives a
    device ID, (device ID, revision) or None for an absent function."""
    regs = {}
    for (dev, fn), f in {**TERN, **(changes or {})}.items():
        if f is not None:
            ident, rev = f if isinstance(f, tuple) else (f, 1)
            regs[0, dev, fn, 0] = ident << 16 | vendor
            regs[0, dev, fn, 8] = 0x06000000 | rev
    return regs


# Chipset functions: the main flow does not call them, so a probe after the
# script assigns the values of each machine again, calls them and writes results.
CHIPSETS = [
    ({(31, 3): (0x42A3, 2)},
     ["Tern Chipset Family", "ZT-210 Memory", "ZIO-4 I/O Controller Hub (B stepping)",
      "Not Detected or Disabled"]),
    ({(1, 0): None, (0, 2): 0x41C2},
     ["Tern Chipset Family", "ZT-210G Memory", "ZIO-4 I/O Controller Hub", "Tern Integrated Graphics"]),
    ({(0, 0): 0x41D0, (31, 0): 0x42B0, (31, 1): 0x42B1, (30, 0): 0x42BE},
     ["Heron Chipset Family", "ZH-320E Memory", "ZIO-4ER I/O"]),
    ({(0, 0): 0x41E0, (31, 1): 0x42C1, (31, 3): None},
     ["Lark Chipset Family", "ZL-430M Memory", "ZIO-5M I/O Controller Hub (SMBus controller disabled)"]),
    ({(1, 0): None, (31, 1): 0x42D1},
     ["Failed to identify your chipset", "Failed to identify your ICH"]),
    ({(0, 0): 0x1234},
     ["Failed to identify your chipset", "ZIO-4 I/O"]),
]


def chipset_probe(assignments):
    js = b"\r\nfunction Probe(){CSStr=MCHStr=ICHStr='';GFXStr='<p>Not Detected or Disabled</p>';"
    js += b"IdentifyMCH();IdentifyICH();document.write('<div class=probe>'+CSStr+MCHStr+ICHStr+GFXStr+'</div>');}"
    return js + b"".join(b"\r\n" + a + b"Probe();" for a in assignments)


# Two of the maker's adapters, by the hardware-ID text the data file queries.
W310, W530 = "VEN_7A3E&DEV_4D31&SUBSYS_11", "VEN_7A3E&DEV_4D43&SUBSYS_31"
NAME530 = b"Zarnik\xae WaveLink 530AG <i>Dual</i> & more"
MACHINES = {
    "other_vendor": (registers(vendor=0x6C1F), {W310: (b"1.0.0.1", b"Zarnik WaveLink 310")}, b"7.10"),
    "no_driver": (registers(), {}, b"3.03"),
    "two_drivers": (registers(), {W310: (b"1.0.0.1", b"Zarnik WaveLink 310"), W530: (b"9.0.1.2", NAME530)},
                    b"3.03"),
}
SCRIPT_END = b"Zarnik \"WaveLink\" 530AG </script><b>x</b> \\ \xe9"
MACHINES.update(("chipset%d" % i, (registers(c), {}, b"3.03")) for i, (c, _) in enumerate(CHIPSETS))


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


def test_page_export(p):
    """The exported page, one file: a description that holds markup and the
    end of a script element is still text."""
    inner = p.dom.by_id("Table2")
    inner = inner and inner.first("td").first("table")
    check(inner is not None and inner.rows()[1:] == [[SCRIPT_END.decode("cp1252"), "9.0.1.2"]],
          "page export: the description as text: %r" % (inner and inner.rows()))
    check(all(b.text() != "x" for b in p.dom.all("b")), "page export: no markup from a description")
    check(p.title() == title + ", Version 3.03", "page export: title suffix")


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
    check(re.fullmatch("(?:%s)*" % STATEMENT, variables.decode("cp1252")), "data file: one statement a line")
    forms = [f for _, f, _ in STMTS]
    check(forms == ["PCI"] * 12 + ["DRIVER"] * 7 + [""] and STMTS[-1][0] == "UTILITY_VERSION",
          "data file: 12 PCI, 7 DRIVER, version last")
    pci = {}
    for name, form, args in STMTS:
        if form == "PCI":
            m = re.fullmatch(r"(\d+),(\d+),(\d+),(\d+)\[(\d+):(\d+)\]", args)
            if check(m, "data file: %s reads a register and bit range" % name):
                pci[name] = tuple(int(x) for x in m.groups())
        elif form == "DRIVER":
            m = re.fullmatch(r"net, VEN_([0-9A-F]{4})&DEV_[0-9A-F]{4}&SUBSYS_[0-9A-F]{2}", args)
            check(m and int(m.group(1), 16) == maker, "data file: %s names a net adapter of the maker" % name)
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


def test_contract(assignments):
    code = script_code()
    check(not re.search(r"=>|`|\b(let|const|class)\b", code), "script: only var and function syntax")
    names = set(re.findall(r"(?<![\w$.])[A-Za-z_$][\w$]*", code))
    own = set(re.findall(r"\b(?:var|function)\s+([A-Za-z_$][\w$]*)", code))
    for params in re.findall(r"\bfunction\s*[\w$]*\s*\(([^)]*)\)", code):
        own |= {p.strip() for p in params.split(",") if p.strip()}
    reads = names - own - KEYWORDS
    declared = set(re.findall(r"(\w+) *=", assignments.decode("cp1252")))
    check(reads <= declared, "contract: read but not declared: %s" % sorted(reads - declared))
    check({"VendorID", "UTILITY_VERSION", "SMBusRev"} <= reads, "contract: the scan finds the reads")
    pairs = {n + w for n, f, _ in STMTS if f == "DRIVER" for w in ("Name", "Version")}
    check(pairs <= reads, "contract: DRIVER pairs never read: %s" % sorted(pairs - reads))
    check({"ICHRev", "ICHRRev", "IDERev"} <= declared, "contract: revision fields declared")


with ThreadPoolExecutor(3) as pool:
    inputs = dict(zip(MACHINES, pool.map(lambda m: evaluate(wine_run, evaluator, datafile_path, *m),
                                         MACHINES.values())))
    PAGES = {name: inputs[name] for name in ("other_vendor", "no_driver", "two_drivers")}
    exported = evaluate(wine_run, evaluator, datafile_path, registers(), {W530: (b"9.0.1.2", SCRIPT_END)},
                        b"3.03", template_path)
    PAGES["no_assignments"] = script
    PAGES["chipsets"] = inputs["no_driver"] + chipset_probe(
        inputs["chipset%d" % i].split(MARKER)[0] for i in range(len(CHIPSETS)))
    loaded = dict(zip(PAGES, pool.map(lambda b: load(chromium, template, b), PAGES.values())))
    loaded["page_export"] = load(chromium, exported, b"")

for name, p in loaded.items():
    if name != "no_assignments":
        check(not p.errors, "%s: script errors %s" % (name, p.errors))
    globals()["test_" + name](p)
test_layout(loaded["no_driver"])
test_datafile()
test_contract(inputs["no_driver"].split(MARKER)[0])

for f in failures:
    print("FAIL:", f)
print("%d failures" % len(failures))
sys.exit(1 if failures else 0)
