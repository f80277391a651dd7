#!/usr/bin/env python3
"""scripts/make-disc.sh on the demo series laid out as a disc's root: the
image it keeps, read back on its own (volume label, Joliet names, the files'
own dates, the autorun.inf it adds), with every installed program found by
the check on the mounted image, and the launcher started at the root of the
image mounted as a CD-ROM drive starting a program from it when its title
is clicked; and the images it refuses, leaving nothing:
one program dated 1970, a name longer than Joliet holds, an autorun.inf
naming a file the disc lacks, each with an image of an earlier run in place.
Neither make-disc.sh nor check-series.sh leaves a Wine server it started
running, nor make-disc.sh its drive X:.

usage: disc_test.py SVLCHECK_EXE DEMO_SERIES_DIR WORK_DIR
"""
import os
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
from wine_checks import check, result, run, wine_server_running, wine_server_settles

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "scripts", "make-disc.sh")
CHECK_SERIES = os.path.join(HERE, "..", "..", "scripts", "check-series.sh")
LABEL = "SORVEL_MATH"
# What the check of the demo's image must find, each in its folder.
FOUND = ["ALGEBR12\\algebra1.exe", "GEOMET11\\GEOMETRY.EXE", "KEISAN13\\Keisan.exe",
         "KANSU_V21\\kansu.exe", "表計算12\\hyoukei.exe"]
CAPTION = "Sorvel 数学シリーズ"
# Title panel 6 of the demo's board of six, in the main window's client
# area (ui/Layout.h): its program lies in the Joliet-named folder 表計算12.
PANEL_6_CENTRE = (447 + 93, 50 + 5 * 53 + 16)
PROGRAM_6 = "表計算で学ぶ統計"
AUTORUN = b"[autorun]\r\nopen=SorvelL.exe\r\nicon=SorvelL.exe,0\r\n"


def lay_out_disc(demo, root):
    """The hard-disk demo series as a disc's root: the launcher folder's files
    at the root, the program folders below it."""
    shutil.rmtree(root, ignore_errors=True)
    shutil.copytree(os.path.join(demo, "LAUNCH"), root)
    for name in sorted(os.listdir(demo)):
        if name != "LAUNCH":
            shutil.copytree(os.path.join(demo, name), os.path.join(root, name))
    return root


def disc_prefix():
    return os.path.realpath(os.environ["WINEPREFIX"]) + "-disc"


def make_disc(exe, root, iso, label=LABEL):
    env = dict(os.environ, SVLCHECK_EXE=exe)
    base_served = wine_server_running(os.environ["WINEPREFIX"])
    status, out, err = run([SCRIPT, *(["--label", label] if label else []), "--lang", "en",
                            root, iso], env)
    check(wine_server_settles(disc_prefix(), False), "make-disc.sh left its Wine server running")
    check(wine_server_settles(os.environ["WINEPREFIX"], base_served),
          "make-disc.sh left the build tree's Wine server otherwise than it found it "
          f"(running before: {base_served})")
    check(not os.path.lexists(os.path.join(disc_prefix(), "dosdevices", "x:")),
          "make-disc.sh left its drive X: behind")
    return status, out.decode("utf-8", "replace"), err


def image_files(iso):
    """Joliet paths of the image with their dates, as xorriso reads it back."""
    listed = subprocess.run(["xorriso", "-indev", iso, "-find", "/", "-type", "f", "-exec",
                             "lsdl", "--"], capture_output=True, text=True)
    return listed.stdout


def kept_image_is_the_disc(exe, root, work):
    iso = os.path.join(work, "demo.iso")
    status, out, err = make_disc(exe, root, iso)
    check(status == 0, f"demo image: exit code {status}\n{out}{err}")
    check(f"the volume label is {LABEL}" in err, f"demo image: the label not said\n{err}")
    check(os.path.isfile(iso) and not os.path.exists(iso + ".part"), "demo image: not kept")
    check("Layout: CD-ROM root" in out and "X:\\" in out, f"demo image: not checked as X:\n{out}")
    for place in FOUND:
        check(f"installed: {place}," in out, f"demo image: the check does not find {place}\n{out}")
    if not os.path.isfile(iso):
        return
    with open(iso, "rb") as f:
        f.seek(16 * 2048 + 40)  # the primary volume descriptor's volume identifier
        check(f.read(32).decode("ascii").rstrip() == LABEL, "demo image: volume label")
    listing = image_files(iso)
    for place in FOUND:
        check("/" + place.replace("\\", "/") in listing, f"demo image: no Joliet name {place}")
    extracted = os.path.join(work, "extracted")
    shutil.rmtree(extracted, ignore_errors=True)
    subprocess.run(["xorriso", "-osirrox", "on", "-indev", iso, "-extract", "/", extracted],
                   capture_output=True)
    for place in FOUND + ["SorvelL.exe", "SVLindex.txt"]:
        relative = place.replace("\\", "/")
        source, copied = os.path.join(root, relative), os.path.join(extracted, relative)
        check(os.path.isfile(copied) and int(os.stat(copied).st_mtime) == int(os.stat(source).st_mtime),
              f"demo image: {place} not dated as the folder's file")
    with open(os.path.join(extracted, "autorun.inf"), "rb") as f:
        check(f.read() == AUTORUN, "demo image: its autorun.inf")
    launcher_starts_a_program_from_the_disc(iso, work)


def visible_window(name, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.3)
    return None


def launcher_starts_a_program_from_the_disc(iso, work):
    """The image mounted as make-disc.sh mounts it, X: of its prefix."""
    if not os.environ.get("DISPLAY"):
        check(False, "the launcher needs a display (DISPLAY is not set)")
        return
    mounted = os.path.join(work, "mounted")
    os.makedirs(mounted, exist_ok=True)
    prefix = disc_prefix()
    env = dict(os.environ, WINEPREFIX=prefix, LC_ALL="C.UTF-8")
    drive = os.path.join(prefix, "dosdevices", "x:")
    subprocess.run(["fuseiso", iso, mounted], check=True)
    try:
        if os.path.lexists(drive):
            os.remove(drive)
        os.symlink(mounted, drive)
        subprocess.Popen(["wine", "start", "/d", "X:\\", "X:\\SorvelL.exe"], env=env,
                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
        window = visible_window(CAPTION, 90)
        check(window is not None, "the launcher's window did not show from X:")
        if window:
            subprocess.run(["xdotool", "mousemove", "--window", window, *map(str, PANEL_6_CENTRE),
                            "click", "1"])
            check(visible_window(PROGRAM_6, 30) is not None,
                  f"clicking {PROGRAM_6} started no program from the disc")
        for program in ("hyoukei.exe", "SorvelL.exe"):
            run(["wine", "taskkill", "/im", program], env)
    finally:
        subprocess.run(["wineserver", "-k"], env=env)
        subprocess.run(["wineserver", "-w"], env=env)
        subprocess.run(["fusermount", "-u", mounted])
        if os.path.lexists(drive):
            os.remove(drive)


def check_series_stops_its_server(exe, root):
    """check-series.sh on a prefix whose server was not running."""
    env = dict(os.environ, WINEPREFIX=disc_prefix(), SVLCHECK_EXE=exe)
    status, out, err = run([CHECK_SERIES, "--cd", "--lang", "en", root], env)
    check(status in (0, 1) and b"CD-ROM root" in out, f"check-series.sh: {status}\n{err}")
    check(wine_server_settles(disc_prefix(), False), "check-series.sh left its Wine server running")


def refused(exe, root, work, trap, names):
    iso = os.path.join(work, "refused.iso")
    with open(iso, "wb") as f:
        f.write(b"an image of an earlier run")
    status, out, err = make_disc(exe, root, iso, label=None)
    check(status == 1, f"{trap}: exit code {status}\n{out}{err}")
    check(not os.path.exists(iso) and not os.path.exists(iso + ".part"), f"{trap}: image kept")
    check("the volume label is DISC" in err, f"{trap}: the label it chose not said\n{err}")
    check("refused" in err, f"{trap}: no refusal said\n{err}")
    for name in names:
        check(name in out + err, f"{trap}: the report does not name {name}\n{out}{err}")


def main(exe, demo, work):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    root = lay_out_disc(demo, os.path.join(work, "DISC"))
    kept_image_is_the_disc(exe, root, work)
    check_series_stops_its_server(exe, root)

    program = os.path.join(root, "KANSU_V21", "kansu.exe")
    dated = os.stat(program).st_mtime
    os.utime(program, (0, 0))  # 1970-01-01, as some mastering tools write
    refused(exe, root, work, "program dated 1970", ["dated before 1980 (KANSU_V21\\kansu.exe)"])
    os.utime(program, (dated, dated))

    long_name = os.path.join(root, "KEISAN13", "k" * 110 + ".txt")
    with open(long_name, "wb") as f:
        f.write(b"notes")
    refused(exe, root, work, "name longer than Joliet holds", ["./KEISAN13/" + "k" * 110 + ".txt"])
    os.remove(long_name)

    with open(os.path.join(root, "AUTORUN.INF"), "wb") as f:
        f.write(b"[autorun]\r\nopen=SorvelL.exe\r\nicon=SORVEL.ICO\r\n")
    refused(exe, root, work, "autorun.inf naming a missing file", ["icon= names SORVEL.ICO"])
    return result()


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:4]))
