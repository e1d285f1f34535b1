"""Helpers of the report page tests: input.txt from the evaluator for a
described machine, loading a page in headless Chromium and walking the DOM
it dumps."""
import html.parser
import os
import re
import shutil
import subprocess
import tempfile

MARKER = b"/*ENDVARS*/"


def evaluate(wine_run, program, datafile, registers, drivers, version, template=None):
    """input.txt as the evaluator program writes it from the data file on a
    machine with these PCI registers ({(bus, device, function, offset):
    value}), installed drivers ({hardware-ID text: (version, description)})
    and product version; with a template, the exported report page instead."""
    with tempfile.TemporaryDirectory(prefix="report-machine-") as work:
        machine, out = os.path.join(work, "machine.txt"), os.path.join(work, "input.txt")
        lines = [b"pci %d %d %d %d %X" % (at + (value,)) for at, value in registers.items()]
        lines += [b"driver %s %s %s" % (id_.encode(), v, d) for id_, (v, d) in drivers.items()]
        with open(machine, "wb") as f:
            f.write(b"".join(l + b"\n" for l in lines + [b"version " + version]))
        run = subprocess.run([wine_run, program, "Z:" + os.path.abspath(datafile), "Z:" + machine,
                              "Z:" + out] + (["Z:" + os.path.abspath(template)] if template else []),
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=60)
        if run.returncode != 0:
            raise RuntimeError("evaluator failed: " + run.stdout.decode("utf-8", "replace"))
        with open(out, "rb") as f:
            return f.read()


class Node:
    VOID = {"meta", "br", "hr", "img", "input", "link", "area", "base", "col", "wbr"}

    def __init__(self, tag, attrs, parent):
        self.tag, self.attrs, self.parent, self.children = tag, dict(attrs), parent, []

    def text(self):
        return "".join(c if isinstance(c, str) else c.text() for c in self.children)

    def all(self, tag=None):
        for c in self.children:
            if isinstance(c, Node):
                if tag is None or c.tag == tag:
                    yield c
                yield from c.all(tag)

    def first(self, tag):
        return next(self.all(tag), None)

    def by_id(self, id_):
        return next((n for n in self.all() if n.attrs.get("id") == id_), None)

    def rows(self):
        """Cell texts of a table's own rows (not those of nested tables)."""
        body = self.first("tbody") or self
        return [[td.text().strip() for td in tr.children if isinstance(td, Node) and td.tag == "td"]
                for tr in body.children if isinstance(tr, Node) and tr.tag == "tr"]


class _Builder(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = self.cur = Node("#document", {}, None)

    def handle_starttag(self, tag, attrs):
        node = Node(tag, attrs, self.cur)
        self.cur.children.append(node)
        if tag not in Node.VOID:
            self.cur = node

    def handle_endtag(self, tag):
        n = self.cur
        while n is not None and n.tag != tag:
            n = n.parent
        if n is not None and n.parent is not None:
            self.cur = n.parent

    def handle_data(self, data):
        self.cur.children.append(data)


def parse_dom(text):
    b = _Builder()
    b.feed(text)
    b.close()
    return b.root


class Page:
    """One loaded page: its DOM and the script errors the browser logged."""

    def __init__(self, dom, log):
        self.dom = parse_dom(dom)
        self.errors = [l for l in log.splitlines()
                       if ":CONSOLE" in l and re.search("uncaught|error", l, re.I)]

    def title(self):
        return self.dom.first("title").text()

    def report(self):
        """The cell that holds the script include, where the report goes."""
        return next(td for td in self.dom.all("td") if td.first("script") is not None)


def load(chromium, template, input_txt):
    """Writes the page as the program does (template unchanged, input.txt
    beside it) under a .html name, which Chromium runs, and loads it."""
    work = tempfile.mkdtemp(prefix="report-page-")
    try:
        page = os.path.join(work, "output.html")
        with open(page, "wb") as f:
            f.write(template)
        with open(os.path.join(work, "input.txt"), "wb") as f:
            f.write(input_txt)
        profile = os.path.join(work, "profile")
        run = subprocess.run(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--user-data-dir=" + profile, "--enable-logging=stderr", "--v=0",
             "--dump-dom", "file://" + page],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
        return Page(run.stdout.decode("utf-8"), run.stderr.decode("utf-8", "replace"))
    finally:
        shutil.rmtree(work, ignore_errors=True)
