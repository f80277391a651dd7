#!/usr/bin/env python3
"""SvlCheck.exe under Wine, as a publisher runs it through scripts/check-series.sh:
the demo series' report byte for byte in both languages (against the golden
files, which this test keeps from going stale), its JSON (with WINEARCH=win32
in the environment, which must not change the prefix), a broken copy of the
demo series that must get every trap, and the exit codes, a failed build of
the checker among them.

usage: svlcheck_test.py SVLCHECK_EXE DEMO_LAUNCH_FOLDER WORK_FOLDER VERSION
With SORVEL_UPDATE_GOLDEN=1 the golden files are written instead of compared.
"""
import json
import os
import pty
import re
import shutil
import signal
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # nothing written into the source tree
from wine_checks import check, result, run, windows_path

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
SCRIPT = os.path.join(ROOT, "scripts", "check-series.sh")
MAKE_DISC = os.path.join(ROOT, "scripts", "make-disc.sh")
GOLDEN = os.path.join(HERE, "golden")
FOLDER_TOKEN = "@LAUNCHER-FOLDER@"
VERSION_TOKEN = "SvlCheck @VERSION@ "


def run_clean(command, env_changes=None):
    """Runs a command without the caller's locale settings, then with these."""
    env = dict(os.environ)
    for name in ("LC_ALL", "LC_MESSAGES", "LANG"):
        env.pop(name, None)
    env.update(env_changes or {})
    return run(command, env)


def check_series(folder, *options, env=None):
    return run_clean([SCRIPT, folder, *options], {"SVLCHECK_EXE": EXE, **(env or {})})


def demo_report_matches_golden(demo):
    home = windows_path(demo) + "\\"
    for language, locale in (("en", "C.UTF-8"), ("ja", "ja_JP.UTF-8")):
        # The language comes from the locale, as for a user at a terminal; the
        # Japanese locale need not be installed.
        status, out, err = check_series(demo, env={"LANG": locale})
        check(status == 0, f"demo {language}: exit code {status}, {err}")
        text = out.decode("utf-8").replace(home, FOLDER_TOKEN)
        text = text.replace(f"SvlCheck {VERSION} ", VERSION_TOKEN)
        golden = os.path.join(GOLDEN, f"demo-series.{language}.txt")
        if os.environ.get("SORVEL_UPDATE_GOLDEN") == "1":
            with open(golden, "w", encoding="utf-8", newline="") as f:
                f.write(text)
            continue
        with open(golden, encoding="utf-8", newline="") as f:
            expected = f.read()
        check(text == expected, f"demo {language}: the report differs from {golden}:\n{text}")


def guide_examples_are_the_reports():
    """The example report in each publishers' guide is cut from the golden one."""
    for language in ("en", "ja"):
        with open(os.path.join(ROOT, "docs", f"publishers-guide.{language}.md"),
                  encoding="utf-8") as f:
            guide = f.read()
        with open(os.path.join(GOLDEN, f"demo-series.{language}.txt"), encoding="utf-8") as f:
            report = f.read().splitlines()
        blocks = [b for b in guide.split("```")[1::2] if b.lstrip("\n").startswith("SvlCheck ")]
        check(len(blocks) == 1, f"guide {language}: one example report")
        for line in blocks[0].strip("\n").splitlines() if blocks else []:
            line = re.sub(r"^SvlCheck [0-9.]+ ", VERSION_TOKEN, line)
            check(line == "..." or line in report, f"guide {language}: not in the report: {line}")


def demo_json_parses(demo):
    # A Wine user's WINEARCH=win32 neither makes the prefix again nor stops Wine.
    ready = os.stat(os.path.join(os.environ["WINEPREFIX"], ".sorvel-ready"))
    status, out, err = check_series(demo, "--json", "--lang", "ja", env={"WINEARCH": "win32"})
    check(status == 0, f"demo json: exit code {status}, {err}")
    again = os.stat(os.path.join(os.environ["WINEPREFIX"], ".sorvel-ready"))
    check((ready.st_ino, ready.st_mtime_ns) == (again.st_ino, again.st_mtime_ns),
          "WINEARCH=win32: the Wine prefix was made again")
    report = json.loads(out.decode("utf-8"))
    check(report["version"] == VERSION, "json: version")
    check(report["language"] == "ja", "json: language")
    check(report["launcherFolder"] == windows_path(demo) + "\\", "json: launcher folder")
    check((report["errors"], report["warnings"], report["exitCode"]) == (0, 2, 0),
          "json: counts")
    states = [(e["stem"], e["state"], e["folder"], e["copies"]) for e in report["entries"]]
    check(states == [("algebra1", "installed", "ALGEBR12", 2),
                     ("geometry", "installed", "GEOMET11", 1),
                     ("keisan", "installed", "KEISAN13", 1),
                     ("kansu", "installed", "KANSU_V21", 1),
                     ("kakuritu", "notInstalled", "", 0),
                     ("hyoukei", "installed", "表計算12", 1)], f"json: entries {states}")
    kinds = [f["kind"] for f in report["findings"]]
    check(kinds == ["severalCopies"], f"json: findings {kinds}")


# The broken series: every trap of the publishers' guide, on a copy of the demo.
BROKEN_CATALOGUE = [
    "壊れたシリーズ", "2026年12月1日",
    "代数 I,ALGEBRA1,1.3,a",          # two copies: ALGEBR10 and ALGEBR12
    "図形と証明,Geometry,1.1,g",      # its folder's first *.exe entry is a folder
    "計算ドリル,KEISAN,1.3,k",         # dated before 1980
    "関数とグラフ,kansu,2.2,f",        # folder name outside CP932
    "確率と統計,kakuritu,1.0,p",       # inside the launcher folder
    "表計算で学ぶ統計,hyoukei,1.2,s",  # in a hidden folder
    "数学ドリル,MATHDRILL1,1.0,d",     # file named after the whole ExeName
    "数学ドリル 2,MATHDRILL2,1.0,d",   # cut to the same 8 bytes
    "幾何,geo2,1.0,g",                 # folder name without version digits
    "壊れた行,PROG,1.2",               # three fields
] + [f"単元 {n},UNIT{n},1.0,u" for n in range(10, 19)] + [
    "単元 19, UNIT19,1.0,u",           # a blank before the executable name
]  # 19 entries in all


def make_broken_copy(demo, work):
    series = os.path.join(work, "SERIES")
    shutil.rmtree(work, ignore_errors=True)
    shutil.copytree(os.path.dirname(demo), series, symlinks=False)
    home = os.path.join(series, "LAUNCH")
    exe = os.path.join(series, "ALGEBR12", "algebra1.exe")
    # Saved as UTF-8, as today's editors save it.
    with open(os.path.join(home, "SVLindex.txt"), "w", encoding="utf-8", newline="") as f:
        f.write("\r\n".join(BROKEN_CATALOGUE) + "\r\n")
    os.remove(os.path.join(home, "index.htm"))
    # The help: a page saved as .chm, without the page itself.
    os.remove(os.path.join(home, "SorvelL.htm"))
    with open(os.path.join(home, "SorvelL.chm"), "wb") as f:
        f.write(b"<html><body>Help</body></html>\r\n")
    os.mkdir(os.path.join(series, "GEOMET11", "a_old.exe"))  # sorted before GEOMETRY.EXE
    old = 157766400  # 1975-01-01
    os.utime(os.path.join(series, "KEISAN13", "Keisan.exe"), (old, old))
    os.rename(os.path.join(series, "KANSU_V21"), os.path.join(series, "KANSÜ_V21"))
    os.mkdir(os.path.join(home, "KAKURI10"))
    shutil.copy(exe, os.path.join(home, "KAKURI10", "kakuritu.exe"))
    os.rename(os.path.join(series, "表計算12"), os.path.join(series, ".HYOUKEI12"))
    os.mkdir(os.path.join(series, "DRILL_10"))
    shutil.copy(exe, os.path.join(series, "DRILL_10", "MATHDRILL1.EXE"))
    os.mkdir(os.path.join(series, "GEO2"))
    shutil.copy(exe, os.path.join(series, "GEO2", "geo2.exe"))
    return home


def tree_snapshot(folder):
    entries = []
    for path, folders, files in os.walk(folder):
        for name in folders + files:
            full = os.path.join(path, name)
            info = os.lstat(full)
            entries.append((full, info.st_size, info.st_mtime_ns, info.st_mode))
    return sorted(entries)


def broken_series_gets_every_trap(demo, work):
    home = make_broken_copy(demo, work)
    before = tree_snapshot(os.path.dirname(home))
    status, out, err = check_series(home, "--json", "--lang", "en")
    check(status == 1, f"broken: exit code {status}, {err}")
    report = json.loads(out.decode("utf-8"))
    check(report["catalogue"]["encoding"] == "utf-8", "broken: encoding")
    check(len(report["entries"]) == 19, "broken: 19 entries")
    reasons = [[c["reason"] for c in e["causes"]] for e in report["entries"]]
    check(reasons[:9] == [[], ["folderSkippedForSubFolder"], ["folderSkippedForDate"],
                          ["folderNameNotCp932"], ["insideLauncherFolder"], ["hiddenFolder"],
                          ["nameCut"], ["sameStem"], []], f"broken: causes {reasons[:9]}")
    check(report["entries"][7]["causes"][0]["otherEntry"] == 7, "broken: same stem as entry 7")
    states = [e["state"] for e in report["entries"]]
    check(states[0] == states[8] == "installed" and set(states[9:]) == {"notInstalled"},
          f"broken: states {states}")
    kinds = sorted({f["kind"] for f in report["findings"]})
    check(kinds == sorted(["blankInExeName", "malformedLine", "nameCut", "tooManyEntries",
                           "severalCopies", "versionNotInFolderName", "indexHtmMissing",
                           "helpChmNotCompiled", "helpChmWithoutPage"]),
          f"broken: findings {kinds}")
    malformed = [f for f in report["findings"] if f["kind"] == "malformedLine"]
    check(len(malformed) == 1 and malformed[0]["line"] == 12, f"broken: malformed {malformed}")
    blank = [f["message"] for f in report["findings"] if f["kind"] == "blankInExeName"]
    check(len(blank) == 1 and '" UNIT19" starts with a blank' in blank[0], f"broken: blank {blank}")

    status, out, err = check_series(home, "--lang", "ja")
    text = out.decode("utf-8")
    check(status == 1 and "エラー" in text and "1980 年より前" in text, "broken: text report")
    check(tree_snapshot(os.path.dirname(home)) == before, "broken: the checker changed the series")


def demo_in_unicode_reads_the_same(demo, work):
    """The demo catalogue saved as today's editors save it gives the same report."""
    def essentials(report):
        catalogue = report["catalogue"]
        return (catalogue["loaded"], catalogue["caption"], catalogue["lastUpdate"],
                report["entries"], report["findings"], report["exitCode"])

    status, out, err = check_series(demo, "--json", "--lang", "en")
    expected = essentials(json.loads(out.decode("utf-8")))
    with open(os.path.join(demo, "SVLindex.txt"), encoding="cp932", newline="") as f:
        text = f.read()
    for encoding, name in (("utf-8", "utf-8"), ("utf-8-sig", "utf-8-bom"),
                           ("utf-16", "utf-16"), ("utf-32", "utf-32")):
        series = os.path.join(work, name)
        shutil.rmtree(series, ignore_errors=True)
        shutil.copytree(os.path.dirname(demo), series, symlinks=False)
        home = os.path.join(series, os.path.basename(demo))
        with open(os.path.join(home, "SVLindex.txt"), "w", encoding=encoding, newline="") as f:
            f.write(text)
        status, out, err = check_series(home, "--json", "--lang", "en")
        report = json.loads(out.decode("utf-8"))
        check(report["catalogue"]["encoding"] == name, f"{name}: encoding")
        check(essentials(report) == expected, f"{name}: the report differs: {out}")


def exit_codes_and_languages(demo, work):
    status, out, err = run_clean(["wine", EXE, "Z:\\no\\such\\folder"])
    check(status == 2 and "cannot enter" in err and not out, f"missing folder: {status} {err}")
    status, out, err = run_clean(["wine", EXE, "--no-such-option"])
    check(status == 2 and "usage" in err, f"bad option: {status} {err}")
    status, out, err = run_clean(["wine", EXE, "--version"])
    check(status == 0 and out.decode() == f"SvlCheck {VERSION}\n", f"version: {out}")
    empty = os.path.join(work, "EMPTY")
    os.makedirs(empty, exist_ok=True)
    status, out, err = check_series(empty, "--lang", "en")
    check(status == 1 and b"SVLindex.txt" in out, f"no catalogue: {status}")
    # A report that cannot be written whole is no clean series.
    reader, closed_pipe = os.pipe()
    os.close(reader)
    with open("/dev/full", "wb") as full:
        for what, stdout, options in (("full", full, ["--json"]), ("closed pipe", closed_pipe, [])):
            status, _, err = run(["wine", EXE, "--lang", "en", *options, windows_path(demo)],
                                 stdout=stdout)
            check(status == 2 and "cannot write to the standard output" in err, f"{what}: {err}")
    os.close(closed_pipe)
    # Inside the program the first of LC_ALL, LC_MESSAGES and LANG decides.
    status, out, err = run_clean(["wine", EXE, windows_path(demo)],
                           {"LANG": "C.UTF-8", "LC_MESSAGES": "ja_JP.UTF-8"})
    check(status == 0 and "シリーズ点検" in out.decode("utf-8"), "LC_MESSAGES chooses Japanese")


def failed_build_checks_nothing(demo, work):
    """A checker build that fails stops both scripts (exit code 2), though an
    older SvlCheck.exe is still in the build tree: it would check under old
    rules."""
    check(os.path.isfile(EXE), f"no older checker at {EXE}")
    stubs = os.path.join(work, "failing-build")
    os.makedirs(stubs, exist_ok=True)
    with open(os.path.join(stubs, "cmake"), "w") as f:
        f.write("#!/bin/sh\necho 'CMake Error: the build broke' >&2\nexit 1\n")
    os.chmod(os.path.join(stubs, "cmake"), 0o755)
    iso = os.path.join(work, "failing-build.iso")
    env = {"PATH": stubs + os.pathsep + os.environ["PATH"], "SVLCHECK_EXE": ""}
    for command in ([SCRIPT, demo], [MAKE_DISC, demo, iso]):
        status, out, err = run_clean(command, env)
        name = os.path.basename(command[0])
        check(status == 2 and not out and not os.path.exists(iso),
              f"{name} with a failed build: exit code {status}\n{out}{err}")
        check("configuring the Windows build failed" in err and "the build broke" in err,
              f"{name} does not say the build failed:\n{err}")


def never_waits_for_a_key_when_redirected(demo):
    """With its output in a pipe SvlCheck ends at once, also when it reads a
    terminal, in which Wine gives it a console of its own to wait on. A wait
    would hang: the time limit makes that a failure."""
    keyboard, terminal = pty.openpty()
    reader, writer = os.pipe()
    with tempfile.TemporaryFile() as err:
        process = subprocess.Popen(["wine", EXE, "--lang", "en", windows_path(demo)],
                                   stdin=terminal, stdout=writer, stderr=err,
                                   start_new_session=True)
        os.close(writer)
        os.close(terminal)
        try:
            status = process.wait(timeout=60)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            status = process.wait()
            check(False, "output to a pipe: SvlCheck waited for a key")
        # The report is small and the program has ended: the pipe holds all
        # of it (Wine's background processes may hold its end open).
        os.set_blocking(reader, False)
        out = b""
        try:
            while chunk := os.read(reader, 65536):
                out += chunk
        except BlockingIOError:
            pass
    os.close(reader)
    os.close(keyboard)
    text = out.decode("utf-8", "replace")
    check(status == 0 and "Result: 0 errors" in text, f"output to a pipe: {status}\n{text}")
    check("Press any key" not in text, "output to a pipe: asked for a key")


def main():
    global EXE, VERSION
    EXE, demo, work, VERSION = sys.argv[1:5]
    os.makedirs(work, exist_ok=True)
    demo_report_matches_golden(demo)
    guide_examples_are_the_reports()
    demo_json_parses(demo)
    broken_series_gets_every_trap(demo, os.path.join(work, "broken"))
    demo_in_unicode_reads_the_same(demo, os.path.join(work, "unicode"))
    exit_codes_and_languages(demo, work)
    failed_build_checks_nothing(demo, work)
    never_waits_for_a_key_when_redirected(demo)
    return result()


if __name__ == "__main__":
    sys.exit(main())
