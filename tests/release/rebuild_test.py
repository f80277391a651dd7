#!/usr/bin/env python3
"""Anyone can rebuild a release and compare: the release zip built again
from the same sources in a second, fresh build tree at another path (and
minutes later) must be the first build's zip byte for byte; neither zip's
programs may hold the path of the source tree or of a build tree. Builds
only what the zip holds.

usage: rebuild_test.py SOURCE_DIR FIRST_ZIP WORK_DIR
"""
import os
import shutil
import subprocess
import sys
import zipfile

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "check"))
from wine_checks import check, result  # noqa: E402


def build_again(source, build):
    shutil.rmtree(build, ignore_errors=True)
    for step in (["cmake", "--preset", "windows", "-B", build],
                 ["cmake", "--build", build, "--target", "release_zip", "--parallel", "2"]):
        done = subprocess.run(step, cwd=source, capture_output=True, text=True)
        if done.returncode != 0:
            check(False, f"{' '.join(step)}: exit code {done.returncode}\n{done.stdout}{done.stderr}")
            return False
    return True


def first_difference(a, b):
    for at, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return at
    return min(len(a), len(b))


def zips_alike(first, second):
    with open(first, "rb") as f, open(second, "rb") as g:
        if f.read() == g.read():
            return
    with zipfile.ZipFile(first) as a, zipfile.ZipFile(second) as b:
        names = a.namelist()
        check(names == b.namelist(), f"entries differ:\n{names}\n{b.namelist()}")
        for info in a.infolist():
            if info.filename not in b.namelist():
                continue
            other = b.getinfo(info.filename)
            for field in ("date_time", "external_attr", "create_system", "flag_bits", "extra"):
                check(getattr(info, field) == getattr(other, field),
                      f"{info.filename}: {field} {getattr(info, field)!r}, "
                      f"rebuilt {getattr(other, field)!r}")
            x, y = a.read(info), b.read(other)
            check(x == y, f"{info.filename}: differs from byte {first_difference(x, y):#x} on "
                          f"({len(x)} and {len(y)} bytes)")
    check(False, f"{second} differs from {first}")


def no_build_paths(zip_path, folders):
    with zipfile.ZipFile(zip_path) as archive:
        for info in archive.infolist():
            if not info.filename.lower().endswith(".exe"):
                continue
            data = archive.read(info)
            for folder in folders:
                for spelling in (folder.encode(), folder.encode("utf-16-le")):
                    check(spelling not in data, f"{info.filename} holds the path {folder}")


def main(source, first_zip, work):
    source = os.path.realpath(source)
    second = os.path.join(os.path.realpath(work), "second-build")
    if not build_again(source, second):
        return result()
    second_zip = os.path.join(second, "dist", os.path.basename(first_zip))
    zips_alike(first_zip, second_zip)
    first_build = os.path.dirname(os.path.dirname(os.path.realpath(first_zip)))
    for zip_path in (first_zip, second_zip):
        no_build_paths(zip_path, [source, first_build, second])
    if result() == 0:
        shutil.rmtree(second, ignore_errors=True)
    return result()


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:4]))
