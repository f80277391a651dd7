#!/usr/bin/env python3
"""Makes the release zip: the launcher, the series checker, the publishers'
guide and the demo series as a sample, below one folder named like the zip.

usage: make_release.py OUT_ZIP LAUNCHER_EXE CHECKER_EXE DOCS_DIR SERIES_DIR

The entries are sorted and dated alike, so the same files give the same zip.
Names that are not ASCII are stored in UTF-8 and flagged so (Windows'
own zip folders and 7-Zip read them).
"""
import os
import sys
import zipfile

# Every entry's date: zip dates are local DOS dates, which start in 1980.
ENTRY_DATE = (2026, 1, 1, 0, 0, 0)


def files_below(folder, prefix):
    for path, folders, files in os.walk(folder):
        folders.sort()
        for name in sorted(files):
            full = os.path.join(path, name)
            yield full, prefix + "/" + os.path.relpath(full, folder).replace(os.sep, "/")


def main(out_zip, launcher, checker, docs, series):
    top = os.path.basename(out_zip)[: -len(".zip")]
    entries = [(launcher, top + "/SorvelL.exe"), (checker, top + "/SvlCheck.exe")]
    entries += [(f, n) for f, n in files_below(docs, top + "/docs") if n.endswith(".md")]
    entries += list(files_below(series, top + "/sample/SERIES"))
    os.makedirs(os.path.dirname(os.path.abspath(out_zip)), exist_ok=True)
    partial = out_zip + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for source, name in sorted(entries, key=lambda entry: entry[1]):
            info = zipfile.ZipInfo(name, ENTRY_DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            with open(source, "rb") as f:
                archive.writestr(info, f.read())
    os.replace(partial, out_zip)


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    main(*sys.argv[1:6])
