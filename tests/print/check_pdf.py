#!/usr/bin/env python3
"""Checks the PDFs that the print tests sent through the private CUPS queue.

usage: check_pdf.py CUPS_DIR ARTIFACTS JOB...

For each JOB the print test wrote CUPS_DIR/jobs/JOB.json: the PDF's name and
where the layout puts every line, in printer pixels. Once the scheduler has
finished all jobs, each PDF must have the planned number of pages, the
printer's sheet size and its text in IPAPGothic; and each page, rendered at
the printer's resolution, must have the ink of its lines where the plan puts
them: every line at its own line advance, drawn from the left edge of the
printable area, whole (neither cut at the right nor at the bottom), and
nothing below the last line of the page. The pages are kept as pictures,
ARTIFACTS/JOB-N.png, at half the printer's resolution.
"""
import json
import os
import re
import subprocess
import sys
import tempfile
import time

INK = 160  # a grey level below this counts as ink
TOLERANCE = 1  # pixels of anti-aliasing and rounding around a glyph


class Failure(Exception):
    pass


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True)
    if result.returncode != 0:
        raise Failure("%s failed: %s" % (" ".join(args), result.stderr.strip()))
    return result.stdout


def wait_for_scheduler(cups_dir, timeout=60):
    """A PDF is complete only when its job is: wait until no job is left."""
    deadline = time.monotonic() + timeout
    while True:
        result = subprocess.run(["lpstat", "-o"], capture_output=True, text=True)
        if result.returncode != 0:
            raise Failure("lpstat -o: %s" % result.stderr.strip())
        if not result.stdout.strip():
            return
        if time.monotonic() > deadline:
            log = os.path.join(cups_dir, "log", "error_log")
            tail = open(log).read()[-2000:] if os.path.exists(log) else "(no error_log)"
            raise Failure("jobs still queued after %d s:\n%s%s\n%s" %
                          (timeout, result.stdout, result.stderr, tail))
        time.sleep(0.2)


def read_pgm(path):
    with open(path, "rb") as f:
        data = f.read()
    match = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(match.group(1)), int(match.group(2))
    pixels = data[match.end():]
    assert len(pixels) == width * height, path
    return width, height, pixels


# Ink pixels become 1, paper 0.
INK_MASK = bytes(1 if level < INK else 0 for level in range(256))


class Page:
    """A rendered page: per row, the first and last column with ink."""

    def __init__(self, path):
        self.width, self.height, pixels = read_pgm(path)
        mask = pixels.translate(INK_MASK)
        self.first = []
        self.last = []
        for y in range(self.height):
            row = mask[y * self.width:(y + 1) * self.width]
            self.first.append(row.find(1))
            self.last.append(row.rfind(1))

    def ink_rows(self, top, bottom, left=0, right=None):
        """Rows in [top, bottom) with ink in the columns [left, right)."""
        right = self.width if right is None else right
        rows = []
        for y in range(max(top, 0), min(bottom, self.height)):
            if self.first[y] >= 0 and self.first[y] < right and self.last[y] >= left:
                rows.append(y)
        return rows


def check_page(page, plan, widths, number, square):
    """Checks one rendered page against the widths of its planned lines.

    Every line starts with the same white square; `square` collects where its
    ink stands in each line's cell, for all pages."""
    problems = []
    left, top = plan["offset"]
    advance, em = plan["advance"], plan["emHeight"]
    printable_right = left + plan["printable"][0]
    for index, width in enumerate(widths):
        # A line's rows: its advance, less the row that the next line's
        # anti-aliasing may reach, plus the one above it that its own may.
        cell = top + index * advance
        band = (cell - TOLERANCE, cell + advance - TOLERANCE)
        where = "page %d line %d" % (number, index + 1)
        rows = page.ink_rows(*band)
        if not rows:
            problems.append("%s: no ink in rows %d-%d" % (where, band[0], band[1] - 1))
            continue
        ink_left = min(page.first[y] for y in rows)
        ink_right = max(page.last[y] for y in rows)
        if ink_left < left or ink_left > left + em // 2:
            problems.append("%s: starts at column %d, not at the left edge %d" %
                            (where, ink_left, left))
        # The PDF sets each glyph at the font's own advance, the printer's
        # measure rounds every advance: over a line they part by a few pixels,
        # far less than the narrowest character that a cut line would miss.
        if ink_right >= printable_right or abs(ink_right - (left + width)) > em // 4:
            problems.append("%s: ends at column %d, its text ends at %d" %
                            (where, ink_right, left + width))
        marks = page.ink_rows(band[0], band[1], left, left + em)
        square.append((where, marks[0] - cell, marks[-1] - cell) if marks else
                      (where, None, None))
    # Nothing above the first line, below the last one or left of the margin.
    end = top + len(widths) * advance
    stray = page.ink_rows(0, top - TOLERANCE) + page.ink_rows(end - TOLERANCE, page.height)
    if stray:
        problems.append("page %d: ink outside the lines, rows %d-%d" %
                        (number, stray[0], stray[-1]))
    if left > 0 and page.ink_rows(0, page.height, 0, left):
        problems.append("page %d: ink in the left margin" % number)
    return problems


def check_squares(square):
    """The first character stands at the same place in every line's cell:
    each line lies one advance below the one before it, none is cut."""
    found = [extent for extent in square if extent[1] is not None]
    if not found:
        return ["no line begins with its first character"]
    _, top, bottom = found[0]
    return ["%s: first character in rows +%s..+%s of its line, the first line's in +%d..+%d" %
            (where, first, last, top, bottom) for where, first, last in square
            if first is None or abs(first - top) > TOLERANCE or abs(last - bottom) > TOLERANCE]


def check_job(cups_dir, artifacts, name):
    plan_path = os.path.join(cups_dir, "jobs", name + ".json")
    if not os.path.exists(plan_path):
        raise Failure("%s: the print test wrote no plan %s" % (name, plan_path))
    with open(plan_path) as f:
        plan = json.load(f)
    pdf = os.path.join(cups_dir, "pdf", plan["pdf"])
    info = run("pdfinfo", pdf)
    pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    size = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+) pts", info, re.M)
    dpi_x, dpi_y = plan["dpi"]
    sheet = (float(size.group(1)) * dpi_x / 72, float(size.group(2)) * dpi_y / 72)
    problems = []
    if pages != len(plan["pages"]):
        problems.append("%d pages, the layout makes %d" % (pages, len(plan["pages"])))
    if abs(sheet[0] - plan["physical"][0]) > 2 or abs(sheet[1] - plan["physical"][1]) > 2:
        problems.append("sheet of %.0f x %.0f px, the printer's is %d x %d" %
                        (sheet[0], sheet[1], plan["physical"][0], plan["physical"][1]))

    # "ＭＳ Ｐゴシック" reaches the PDF as the font the prefix maps it to.
    fonts = run("pdffonts", pdf)
    if "IPAPGothic" not in fonts:
        problems.append("the text is not set in IPAPGothic:\n" + fonts)

    os.makedirs(artifacts, exist_ok=True)
    # The pictures to look at, at half the resolution: quicker to make.
    run("pdftoppm", "-r", str(dpi_y // 2), "-gray", "-png", pdf, os.path.join(artifacts, name))
    with tempfile.TemporaryDirectory() as temp:
        run("pdftoppm", "-r", str(dpi_y), "-gray", pdf, os.path.join(temp, "page"))
        rendered = sorted((f for f in os.listdir(temp) if f.endswith(".pgm")),
                          key=lambda f: int(re.search(r"(\d+)\.pgm$", f).group(1)))
        square = []
        for number, (file, widths) in enumerate(zip(rendered, plan["pages"]), 1):
            problems += check_page(Page(os.path.join(temp, file)), plan, widths, number, square)
        problems += check_squares(square)
    lines = sum(len(p) for p in plan["pages"])
    print("%s: %s, %d pages for %d lines at an advance of %d px (page height %d px, %d dpi)" %
          (name, os.path.basename(pdf), pages, lines, plan["advance"], plan["printable"][1],
           dpi_y))
    for problem in problems[:20]:
        print("  %s: %s" % (name, problem))
    if len(problems) > 20:
        print("  %s: and %d more" % (name, len(problems) - 20))
    return not problems


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    cups_dir, artifacts, names = sys.argv[1], sys.argv[2], sys.argv[3:]
    try:
        wait_for_scheduler(cups_dir)
        results = [check_job(cups_dir, artifacts, name) for name in names]
    except Failure as failure:
        print("FAILED: %s" % failure)
        return 1
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
