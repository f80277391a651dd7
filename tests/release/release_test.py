#!/usr/bin/env python3
"""The release zip as a user gets it: its contents listed and compared with
what it must hold, its SHA256SUMS against its files, the guides as HTML pages,
the version in its name and in both programs' version
resources alike, and the programs in it started once under Wine: the checker
on the sample series (its report byte for byte the golden one) and the
launcher until its window shows the sample's caption.

usage: release_test.py ZIP LAUNCHER_EXE CHECKER_EXE DEMO_SERIES_DIR WORK_DIR [RUN_ZIP]

RUN_ZIP, on a machine that cannot run 32-bit x86 code: the x86-64 build's
zip, whose programs are the ones started under Wine; everything else is
still read from ZIP.
"""
import hashlib
import os
import re
import shutil
import subprocess
import sys
import time
import zipfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
GOLDEN = os.path.join(ROOT, "tests", "check", "golden", "demo-series.en.txt")
FOLDER_TOKEN = "@LAUNCHER-FOLDER@"

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(ROOT, "tests", "check"))
from wine_checks import check, result, run, windows_path  # noqa: E402

def version_resource(exe_bytes, key):
    """A string of the version resource: after the key (UTF-16, NUL-ended)
    and its padding to 32 bits from the String structure's start, the value
    of wValueLength characters."""
    name = (key + "\0").encode("utf-16-le")
    at = exe_bytes.find(name)
    if at < 6:
        return None
    start = at - 6  # wLength, wValueLength, wType
    value_length = int.from_bytes(exe_bytes[start + 2:start + 4], "little")
    value = at + len(name)
    value += (4 - (value - start) % 4) % 4
    return exe_bytes[value:value + 2 * value_length].decode("utf-16-le").rstrip("\0")


# What Windows reads of a program before it starts it, as the loader reads
# the PE header: x86 (so that one program runs on x86, x64 and ARM64
# Windows), subsystem version 6.1 (Windows 7 SP1 and later), DEP and ASLR.
PE_HEADER = [("machine", 0x14C), ("subsystem version", (6, 1)), ("DEP and ASLR", 0x140)]
LAUNCHER_SIZE_LIMIT = 1024 * 1024


def pe_header(exe_bytes):
    at = int.from_bytes(exe_bytes[0x3C:0x40], "little")
    if exe_bytes[at:at + 4] != b"PE\0\0":
        return {}
    optional = at + 24

    def field(offset):
        return int.from_bytes(exe_bytes[optional + offset:optional + offset + 2], "little")

    return {"machine": int.from_bytes(exe_bytes[at + 4:at + 6], "little"),
            "subsystem version": (field(48), field(50)),
            "DEP and ASLR": field(70) & 0x140}


def run_wine(command, cwd=None):
    return run(["wine", *command], dict(os.environ, LC_ALL="C.UTF-8"), cwd)


def contents_are_listed(archive, top, demo_series):
    # In sorted order as they stand: a rebuild from files listed in another
    # order must give the same zip.
    names = archive.namelist()
    expected = [f"{top}/SorvelL.exe", f"{top}/SvlCheck.exe", f"{top}/SHA256SUMS",
                f"{top}/docs/publishers-guide.en.html", f"{top}/docs/publishers-guide.ja.html"]
    for path, folders, files in os.walk(demo_series):
        for name in files:
            relative = os.path.relpath(os.path.join(path, name), demo_series)
            expected.append(f"{top}/sample/SERIES/" + relative.replace(os.sep, "/"))
    check(names == sorted(expected), f"zip contents:\n{names}\nexpected:\n{sorted(expected)}")
    for info in archive.infolist():
        if not info.filename.isascii():
            check(info.flag_bits & 0x800, f"{info.filename}: not flagged as UTF-8")
    # The sample's help in both forms the launcher opens on today's Windows.
    launch = f"{top}/sample/SERIES/LAUNCH/"
    check(launch + "SorvelL.htm" in names, "the sample has no SorvelL.htm")
    check(launch + "SorvelL.chm" in names
          and archive.read(launch + "SorvelL.chm").startswith(b"ITSF"),
          "the sample has no compiled SorvelL.chm")


def entries_at_the_highest_level(archive):
    """Each entry deflated at level 9, as the release asks (zlib of this
    Python gives the same bytes for the same level)."""
    for info in archive.infolist():
        deflate = zlib.compressobj(9, zlib.DEFLATED, -15)
        smallest = len(deflate.compress(archive.read(info)) + deflate.flush())
        check(info.compress_type == zipfile.ZIP_DEFLATED and info.compress_size == smallest,
              f"{info.filename}: {info.compress_size} bytes deflated, {smallest} at level 9")


def sums_match_the_contents(archive, top):
    """SHA256SUMS names every other file once, with its digest."""
    listed = {}
    for line in archive.read(f"{top}/SHA256SUMS").decode("utf-8").splitlines():
        digest, name = line.split("  ", 1)
        listed[name] = digest
    for info in archive.infolist():
        name = info.filename[len(top) + 1:]
        if name == "SHA256SUMS":
            continue
        digest = hashlib.sha256(archive.read(info)).hexdigest()
        check(listed.pop(name, None) == digest, f"SHA256SUMS: {name} not listed with {digest}")
    check(not listed, f"SHA256SUMS lists files the zip does not hold: {sorted(listed)}")


def guides_are_pages(archive, top):
    for language in ("ja", "en"):
        page = archive.read(f"{top}/docs/publishers-guide.{language}.html").decode("utf-8")
        check(page.startswith("<!DOCTYPE html>") and f'<html lang="{language}">' in page
              and "<h2>" in page and "<table>" in page and "\n## " not in page,
              f"publishers-guide.{language}.html is no HTML page of the guide")


def programs_match_the_build_and_the_version(archive, top, version, launcher, checker):
    for name, built in (("SorvelL.exe", launcher), ("SvlCheck.exe", checker)):
        data = archive.read(f"{top}/{name}")
        with open(built, "rb") as f:
            check(hashlib.sha256(data).digest() == hashlib.sha256(f.read()).digest(),
                  f"{name} is not the one built")
        for key in ("FileVersion", "ProductVersion"):
            found = version_resource(data, key)
            check(found == version + ".0", f"{name} {key} {found}, zip says {version}")
        check(version_resource(data, "OriginalFilename") == name, f"{name}: OriginalFilename")
        header = pe_header(data)
        for key, expected in PE_HEADER:
            check(header.get(key) == expected, f"{name}: {key} {header.get(key)}, not {expected}")
    size = len(archive.read(f"{top}/SorvelL.exe"))
    check(size <= LAUNCHER_SIZE_LIMIT, f"SorvelL.exe is {size} bytes, over 1 MiB")


def checker_in_the_zip_checks_the_sample(unpacked, version):
    launch = os.path.join(unpacked, "sample", "SERIES", "LAUNCH")
    folder = windows_path(launch) + "\\"
    status, out, err = run_wine([os.path.join(unpacked, "SvlCheck.exe"), "--lang", "en", folder])
    check(status == 0, f"SvlCheck.exe from the zip: exit code {status}, {err}")
    with open(GOLDEN, encoding="utf-8", newline="") as f:
        expected = f.read()
    text = out.decode("utf-8", "replace").replace(folder, FOLDER_TOKEN)
    text = text.replace(f"SvlCheck {version} ", "SvlCheck @VERSION@ ")
    check(text == expected, f"SvlCheck.exe from the zip: report differs:\n{text}")


def launcher_in_the_zip_starts(unpacked):
    if not os.environ.get("DISPLAY"):
        check(False, "the launcher needs a display (DISPLAY is not set)")
        return
    launch = os.path.join(unpacked, "sample", "SERIES", "LAUNCH")
    env = dict(os.environ, LC_ALL="C.UTF-8")
    launcher = subprocess.Popen(["wine", "SorvelL.exe"], cwd=launch, env=env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
    caption = ""
    deadline = time.time() + 40
    while time.time() < deadline and launcher.poll() is None and caption != "Sorvel 数学シリーズ":
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Sorvel "],
                               capture_output=True, text=True)
        for window in found.stdout.split():
            caption = subprocess.run(["xdotool", "getwindowname", window], capture_output=True,
                                     text=True).stdout.strip()
        time.sleep(0.3)
    check(caption == "Sorvel 数学シリーズ", f"the launcher's window: {caption!r}")
    # Closed as the user closes it: taskkill without /f asks its windows to close.
    run_wine(["taskkill", "/im", "SorvelL.exe"])
    try:
        check(launcher.wait(timeout=30) == 0, "the launcher did not end with exit code 0")
    except subprocess.TimeoutExpired:
        launcher.kill()
        check(False, "the launcher did not end when asked to close")


def runnable_copy(run_zip, zip_path, work):
    """The x86-64 build's zip unpacked, after it has been shown to hold the
    same files as the x86 one: only its programs are run."""
    print(f"This machine cannot run 32-bit x86 programs: the programs started under Wine are "
          f"the x86-64 build's, from {run_zip}")
    top, run_top = os.path.basename(zip_path)[:-4], os.path.basename(run_zip)[:-4]
    with zipfile.ZipFile(run_zip) as archive:
        names = [name.replace(run_top, top, 1) for name in archive.namelist()]
        with zipfile.ZipFile(zip_path) as shipped:
            check(names == shipped.namelist(), f"{run_zip} holds other files than the x86 zip")
        archive.extractall(work)
    return os.path.join(work, run_top)


def main(zip_path, launcher, checker, demo_series, work, run_zip=None):
    match = re.fullmatch(r"SorvelL-(\d+\.\d+\.\d+)-x86\.zip", os.path.basename(zip_path))
    check(match is not None, f"zip name {zip_path}")
    if not match:
        return 1
    version = match.group(1)
    top = os.path.basename(zip_path)[:-4]
    with zipfile.ZipFile(zip_path) as archive:
        check(archive.testzip() is None, "zip: a damaged entry")
        contents_are_listed(archive, top, demo_series)
        entries_at_the_highest_level(archive)
        sums_match_the_contents(archive, top)
        guides_are_pages(archive, top)
        programs_match_the_build_and_the_version(archive, top, version, launcher, checker)
        shutil.rmtree(work, ignore_errors=True)
        archive.extractall(work)
    unpacked = os.path.join(work, top)
    if run_zip:
        unpacked = runnable_copy(run_zip, zip_path, work)
    checker_in_the_zip_checks_the_sample(unpacked, version)
    launcher_in_the_zip_starts(unpacked)
    return result()


if __name__ == "__main__":
    if len(sys.argv) not in (6, 7):
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
