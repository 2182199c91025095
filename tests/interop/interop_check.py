#!/usr/bin/env python3
"""Checks the RTF we write against a third-party reader (LibreOffice, headless).

Every document is written with `rtfview convert --to rtf`, and LibreOffice converts what we
wrote to UTF-8 text and to flat ODF. The text must equal ours (rtfview convert --to text),
word for word; the runs that we show bold, italic, underlined, struck, raised, lowered or in
a colour must come out so; paragraphs keep their alignment; tables keep their number, links
their targets and pictures their number. The documents of tests/data/interop add checks of
their own (list numbering, a table's cells and merged cell, shading).

Usage: interop_check.py RTFVIEW WORKDIR DOCUMENT...
Exits 77 (skipped) when LibreOffice is not installed; tools/interop-check installs it.
"""
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

SKIPPED = 77
NS = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
    "xlink": "http://www.w3.org/1999/xlink",
    "draw": "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0",
}


def q(name):
    prefix, local = name.split(":")
    return "{%s}%s" % (NS[prefix], local)


# ---------------------------------------------------------------- what we read

def run(args):
    return subprocess.run(args, check=True, capture_output=True).stdout.decode("utf-8")


class OurDocument:
    """The runs, paragraphs, links and tables of a document as our reader has it."""

    ITEM = re.compile(r'^(\d+) (\w+) style=(-?\d+) para=(-?\d+) (\S+)(?: cp="[^"]*")?'
                      r'(?: tag="((?:[^"\\]|\\.)*)")?.*?(?: "(.*)")?$')

    def __init__(self, rtfview, path):
        self.text = run([rtfview, "convert", path, "--to", "text"])
        self.items, text_styles, para_styles = [], {}, {}
        section = None
        for line in run([rtfview, "dump", path]).splitlines():
            if line.startswith("text styles added"):
                section = text_styles
            elif line.startswith("paragraph styles added"):
                section = para_styles
            elif line.startswith("list styles added"):
                section = None
            elif section is text_styles and line.startswith("T"):
                number, rest = line.split(" ", 1)
                text_styles[int(number[1:])] = rest
            elif section is para_styles and line.startswith("P"):
                number, rest = line.split(" ", 1)
                para_styles[int(number[1:])] = rest.split(" ")[0]
            elif section is None and (m := self.ITEM.match(line)):
                self.items.append({
                    "kind": m.group(2), "style": int(m.group(3)), "para": int(m.group(4)),
                    "flags": m.group(5), "tag": unquote(m.group(6)),
                    "text": unquote(m.group(7)) or ""})
        for item in self.items:
            item["format"] = text_styles.get(item["style"], "")
            item["align"] = para_styles.get(item["para"], "left")

    def runs(self):
        return [i for i in self.items if i["kind"] == "text" and i["text"].strip()]

    def paragraphs(self):
        """(alignment, text) of every paragraph outside tables."""
        paragraphs = []
        for item in self.items:
            if item["kind"] not in ("text", "marker", "tab"):
                continue
            if item["flags"].startswith("S") and paragraphs:
                paragraphs[-1][1] += item["text"]
            else:
                paragraphs.append([item["align"], item["text"]])
        return paragraphs


def unquote(value):
    if value is None:
        return None
    return re.sub(r'\\(.)', r'\1', value)


# ---------------------------------------------------------------- what LibreOffice read

class TheirDocument:
    """The flat ODF LibreOffice wrote: characters with the formatting they show."""

    def __init__(self, path):
        root = ET.parse(path).getroot()
        self.styles = {}
        for container in root.iter():
            if container.tag in (q("office:automatic-styles"), q("office:styles")):
                for style in container.findall(q("style:style")):
                    self.styles[(style.get(q("style:family")), style.get(q("style:name")))] = style
        body = root.find(q("office:body")).find(q("office:text"))
        self.body = body
        self.chars = []       # (character, formatting)
        self.paragraphs = []  # (alignment, text)
        self.links = []       # (href, text)
        for element in body.iter():
            if element.tag in (q("text:p"), q("text:h")):
                self.read_paragraph(element)
        self.tables = body.findall(".//" + q("table:table"))
        # A frame may hold the picture twice: as it was and as a replacement bitmap.
        self.pictures = [f for f in body.iter(q("draw:frame")) if f.find(q("draw:image")) is not None]

    def props(self, family, name, kind):
        """The property element's attributes of a style, its parents' below its own."""
        merged = {}
        chain = []
        while name and (family, name) in self.styles and name not in chain:
            chain.append(name)
            style = self.styles[(family, name)]
            name = style.get(q("style:parent-style-name"))
        for name in reversed(chain):
            found = self.styles[(family, name)].find(q(kind))
            if found is not None:
                merged.update(found.attrib)
        return merged

    def read_paragraph(self, paragraph):
        base = self.props("paragraph", paragraph.get(q("text:style-name")), "style:text-properties")
        para = self.props("paragraph", paragraph.get(q("text:style-name")),
                          "style:paragraph-properties")
        align = para.get(q("fo:text-align"), "start")
        start = len(self.chars)

        def walk(element, formatting, href):
            if element.tag == q("text:note"):
                return
            if element.tag == q("text:span"):
                formatting = dict(formatting)
                formatting.update(self.props("text", element.get(q("text:style-name")),
                                             "style:text-properties"))
            if element.tag == q("text:a"):
                href = element.get(q("xlink:href"))
                self.links.append([href, ""])
            if element.tag in (q("text:p"), q("text:h")) and element is not paragraph:
                return  # a paragraph of its own (in a frame)
            if element.tag == q("text:s"):
                self.add(" " * int(element.get(q("text:c"), "1")), formatting, href)
            elif element.tag == q("text:tab"):
                self.add("\t", formatting, href)
            elif element.tag == q("text:line-break"):
                self.add("\n", formatting, href)
            else:
                self.add(element.text or "", formatting, href)
            for child in element:
                walk(child, formatting, href)
                self.add(child.tail or "", formatting, href)

        walk(paragraph, base, None)
        self.add("\n", base, None)
        self.paragraphs.append((align, "".join(c for c, _ in self.chars[start:]).strip()))

    def add(self, text, formatting, href):
        for c in text:
            self.chars.append((c, formatting))
        if href is not None and self.links:
            self.links[-1][1] += text


def flags_of(props):
    """What a reader sees of LibreOffice's character properties."""
    shown = set()
    if props.get(q("fo:font-weight")) == "bold":
        shown.add("bold")
    if props.get(q("fo:font-style")) == "italic":
        shown.add("italic")
    if props.get(q("style:text-underline-style"), "none") != "none":
        shown.add("underline")
    if props.get(q("style:text-line-through-style"), "none") != "none":
        shown.add("strike")
    position = props.get(q("style:text-position"), "0")
    if position.startswith("super") or (position[:1].isdigit() and float(position.split("%")[0]) > 0):
        shown.add("super")
    if position.startswith("sub") or position.startswith("-"):
        shown.add("sub")
    color = props.get(q("fo:color"))
    if color and color.lower() not in ("#000000",):
        shown.add("color=" + color.upper())
    return shown


def our_flags(format_text):
    shown = {word for word in ("bold", "italic", "underline", "strike", "super", "sub")
             if re.search(r"\b%s\b" % word, format_text)}
    color = re.search(r"color=(#[0-9A-F]{6})", format_text)
    if color and color.group(1) != "#000000":
        shown.add("color=" + color.group(1))
    return shown


ALIGN = {"left": ("start", "left"), "right": ("end", "right"), "center": ("center",),
         "justify": ("justify",)}


# LibreOffice shows bullets of its own for many bullet levels (those in symbol fonts, deeper
# levels), even for files it wrote itself: a word of one symbol is a bullet.
def words(text):
    return ["\u2022" if len(w) == 1 and not w.isalnum() else w for w in text.split()]


# ---------------------------------------------------------------- checks

def check_document(name, ours, theirs_text, theirs, problems):
    def fail(message):
        problems.append("%s: %s" % (name, message))

    # The text, word for word; our text shows a rule above notes as a line of dashes.
    our_text = "\n".join(line for line in ours.text.splitlines()
                         if not re.fullmatch(r"[-=]{80}", line))
    if words(our_text) != words(theirs_text.lstrip("\ufeff")):
        a, b = words(our_text), words(theirs_text.lstrip("\ufeff"))
        at = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
        fail("text differs at word %d: ours %r, theirs %r" % (at, a[at:at + 6], b[at:at + 6]))

    # Each formatted run, found in order in their characters, shows its formatting. Spaces
    # are compared as one space: LibreOffice keeps a row of spaces as spaces of other widths.
    their_chars = []
    for c, f in theirs.chars:
        if not (c.isspace() and their_chars and their_chars[-1][0] == " "):
            their_chars.append((" " if c.isspace() else c, f))
    their_string = "".join(c for c, _ in their_chars)
    position = 0
    runs = checked = 0
    for item in ours.runs():
        wanted = our_flags(item["format"])
        text = " ".join(item["text"].split())
        if len(text) < 2:
            continue  # too short to be found again for sure
        at = their_string.find(text, position)
        if at < 0:
            continue
        runs += 1
        position = at + len(text)
        if not wanted:
            continue
        checked += 1
        chars = [their_chars[i] for i in range(at, position) if their_chars[i][0] != " "]
        missing = set.union(*[wanted - flags_of(f) for _, f in chars]) if chars else set()
        if missing:
            fail("run %r lost %s" % (item["text"][:40], ", ".join(sorted(missing))))
    long_runs = sum(1 for item in ours.runs() if len(" ".join(item["text"].split())) >= 2)
    if runs < long_runs * 0.9:
        fail("only %d of %d runs found in their text" % (runs, long_runs))

    # Paragraph alignment, for the paragraphs found in order by their text (theirs has the
    # paragraphs of table cells among them).
    position = 0
    for align, text in ours.paragraphs():
        text = " ".join(text.split())
        at = next((i for i in range(position, len(theirs.paragraphs))
                   if " ".join(theirs.paragraphs[i][1].split()) == text), None)
        if not text or at is None:
            continue
        position = at + 1
        if theirs.paragraphs[at][0] not in ALIGN.get(align, ()):
            fail("paragraph %r is %s, theirs %s" % (text[:40], align, theirs.paragraphs[at][0]))

    # Tables, links and pictures.
    our_tables = sum(1 for i in ours.items if i["style"] == -60)
    their_tables = len(theirs.body.findall(q("table:table")))
    if our_tables != their_tables:
        fail("%d tables, theirs %d" % (our_tables, their_tables))
    # Links to places on the web or in mail; a file's path LibreOffice makes its own.
    our_links = [(i["tag"], i["text"]) for i in ours.items
                 if i["tag"] and re.match(r"(https?|ftp|mailto):", i["tag"])]
    their_links = [(h, t) for h, t in theirs.links]
    for tag, text in our_links:
        if not any(h == tag for h, _ in their_links):
            fail("link %r to %s is lost (theirs: %s)" % (text, tag, their_links))
    our_pictures = sum(1 for i in ours.items if i["kind"] == "picture")
    if our_pictures != len(theirs.pictures):
        fail("%d pictures, theirs %d" % (our_pictures, len(theirs.pictures)))
    return {"runs": runs, "formatted": checked, "tables": our_tables, "links": len(our_links),
            "pictures": our_pictures}


def check_own(name, theirs, theirs_text, problems):
    """What the documents made for this check add."""
    def fail(message):
        problems.append("%s: %s" % (name, message))

    text = theirs_text.lstrip("\ufeff")
    if name == "lists":
        labels = [line.split()[0] for line in text.splitlines() if line.startswith(" ")]
        if labels != ["1.", "a)", "b)", "2.", "3.", "\u2022", "\u2022"]:
            fail("list labels %s" % labels)
    if name == "table":
        table = theirs.body.find(q("table:table"))
        rows = []
        for row in table.iter(q("table:table-row")):
            cells = []
            for cell in row:
                if cell.tag == q("table:table-cell"):
                    cells.append((" ".join("".join(p.itertext()) for p in cell),
                                  cell.get(q("table:number-columns-spanned"), "1")))
            rows.append(cells)
        wanted = [[("Method", "1"), ("Cost", "1"), ("Accuracy", "1")],
                  [("HF", "1"), ("N4", "1"), ("low", "1")],
                  [("MP2", "1"), ("N5", "1"), ("medium", "1")],
                  [("CCSD(T) is the reference", "2"), ("high", "1")]]
        if rows != wanted:
            fail("cells %s" % rows)
    if name == "notes":
        # The reference marks are raised, in the text and before the notes.
        their_string = "".join(c for c, _ in theirs.chars)
        for before in ("matters", "grid", "\n"):
            for at in [m.end() for m in re.finditer(re.escape(before), their_string)]:
                if at < len(their_string) and their_string[at] in "12":
                    if "super" not in flags_of(theirs.chars[at][1]):
                        fail("note mark after %r is not raised" % before)
    if name == "colours":
        shaded = [f for c, f in theirs.chars if c == "s"]
        if not any(q("fo:background-color") in f and f[q("fo:background-color")] != "transparent"
                   for f in shaded):
            fail("shading lost")


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    rtfview, work, documents = sys.argv[1], sys.argv[2], sys.argv[3:]
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        print("interop check skipped: LibreOffice is not installed (tools/interop-check "
              "installs it and runs this check)")
        return SKIPPED
    os.makedirs(work, exist_ok=True)
    written, ours, own = [], {}, set()
    for document in documents:
        name = os.path.splitext(os.path.basename(document))[0]
        if os.path.basename(os.path.dirname(os.path.abspath(document))) == "interop":
            own.add(name)
        target = os.path.join(work, name + ".rtf")
        run([rtfview, "convert", document, "--to", "rtf", "-o", target])
        written.append(target)
        ours[name] = OurDocument(rtfview, document)
    profile = "-env:UserInstallation=file://" + os.path.abspath(os.path.join(work, "profile"))
    out = os.path.join(work, "libreoffice")
    for target in ("txt:Text (encoded):UTF8", "fodt"):
        subprocess.run([soffice, profile, "--headless", "--convert-to", target, "--outdir", out]
                       + written, check=True, capture_output=True, timeout=600)
    problems, rows = [], []
    for name, our in ours.items():
        with open(os.path.join(out, name + ".txt"), encoding="utf-8") as f:
            theirs_text = f.read()
        theirs = TheirDocument(os.path.join(out, name + ".fodt"))
        before = len(problems)
        figures = check_document(name, our, theirs_text, theirs, problems)
        if name in own:
            check_own(name, theirs, theirs_text, problems)
        rows.append((name, len(words(our.text)), figures, len(problems) == before))
    print("| document | words | runs found | formatted runs | tables | links | pictures | result |")
    print("|---|---|---|---|---|---|---|---|")
    for name, count, f, ok in rows:
        print("| %s | %d | %d | %d | %d | %d | %d | %s |" % (
            name, count, f["runs"], f["formatted"], f["tables"], f["links"], f["pictures"],
            "same" if ok else "DIFFERS"))
    for problem in problems:
        print("FAIL", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
