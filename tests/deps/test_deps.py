"""Tests of check_deps.py's readers and of the scripts' failures when a
command is missing (run from PATHs that lack it)."""
import os
import platform
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_deps  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def names(found):
    return sorted({entry[-1] for entry in found})


class ReadersTest(unittest.TestCase):
    SHELL = [
        ('x=$(dirname "$0")', ["dirname"]),
        ('echo "$(realpath -m "$1")"', ["echo", "realpath"]),
        ('"$here/wine-prefix" up; scripts/install-deps; "$fuzzer" "${options[@]}"', []),
        ("$sudo setsid unshare --mount --propagation private sh -c "
         "'echo $$ && mount --bind a b && exec cupsd -f' sh",
         ["cupsd", "echo", "exec", "mount", "setsid", "sh", "sudo", "unshare"]),
        ("trap 'rm -f \"$log\"; kill $pid' EXIT; eval \"sleep 1\"",
         ["eval", "kill", "rm", "sleep", "trap"]),
        ("case $1 in\ndown) wineserver -k ;;\n*) exit 2 ;;\nesac", ["exit", "wineserver"]),
        ("for _ in $(seq 1 3); do sleep 1; done", ["seq", "sleep"]),
        ("cat >f <<EOF\nnotacommand here\nEOF\npython3 - <<'PY'\nimport sys\nPY",
         ["cat", "python3"]),
        ("command -v clang++-14 || command -v clang++", ["clang++", "clang++-14", "command"]),
        ('quietly "step" $sudo apt-get update', ["apt-get", "quietly", "sudo"]),
        ("timeout 5 xdotool search; env A=1 B=2 nice -n 3 python3 -", ["env", "nice", "python3",
                                                                   "timeout", "xdotool"]),
        ("exec 9>lock; flock 9; flock -w 3 lock cp a b", ["cp", "exec", "flock"]),
        ("/usr/sbin/cupsd -f", ["/usr/sbin/cupsd"]),
        ('w=$(xdotool search | head -n 1 || true); [ -n "$w" ] && f', ["[", "f", "head", "true",
                                                                       "xdotool"]),
    ]

    def test_shell(self):
        for script, expected in self.SHELL:
            with self.subTest(script=script):
                self.assertEqual(names(check_deps.shell_commands(script)), expected)

    def test_shell_lines_and_functions(self):
        script = "a() {\n  b\n}\nc $(d)\nsh -c 'e\nf'\n"
        self.assertEqual(sorted(check_deps.shell_commands(script)),
                         [(2, "b"), (4, "c"), (4, "d"), (5, "e"), (5, "sh"), (6, "f")])
        self.assertEqual(check_deps.shell_functions(script), {"a"})
        with self.assertRaises(check_deps.Failure):
            check_deps.shell_commands("if then fi (")

    CMAKE = [
        ("find_program(X NAMES clang++-14 clang++ DOC x)\nfind_program(Y wine)",
         ["clang++", "clang++-14", "wine"]),
        ("add_custom_command(OUTPUT a COMMAND ${CMAKE_COMMAND} -E x\n"
         "  COMMAND ${Python3_EXECUTABLE} s.py)", ["cmake", "python3"]),
        ("add_executable(tool a.cpp)\nadd_test(NAME t COMMAND tool)\n"
         "add_test(NAME u COMMAND ${PROJECT_SOURCE_DIR}/scripts/x)\n"
         "add_test(NAME v COMMAND ${target} --x)", []),
        ('# add_test(NAME t COMMAND lpstat)\nadd_test(NAME t COMMAND pdfinfo "#x") # COMMAND wine',
         ["pdfinfo"]),
        ("set(P x86_64-w64-mingw32)\nset(CMAKE_RC_COMPILER ${P}-windres)",
         ["x86_64-w64-mingw32-windres"]),
        ("find_package(Python3 REQUIRED COMPONENTS Interpreter)\nfind_package(benchmark)",
         ["python3"]),
        ("execute_process(COMMAND xdpyinfo OUTPUT_QUIET)", ["xdpyinfo"]),
    ]

    def test_cmake(self):
        for text, expected in self.CMAKE:
            with self.subTest(text=text):
                self.assertEqual(names(check_deps.cmake_commands({"x.cmake": text})), expected)

    PYTHON = [
        ('subprocess.run(["lpstat", "-o"])', ["lpstat"]),
        ('run("pdfinfo", pdf)\nsubprocess.check_output( [ "dpkg", "-S"])', ["dpkg", "pdfinfo"]),
        ("shutil.which('wine'); os.path.join('a', 'b'); run('/usr/bin/x')", ["wine"]),
    ]

    def test_python_and_presets(self):
        for text, expected in self.PYTHON:
            with self.subTest(text=text):
                self.assertEqual(names(check_deps.python_commands(text)), expected)
        presets = ('{"configurePresets": [{"generator": "Ninja", "cacheVariables": '
                   '{"CMAKE_CXX_COMPILER": "clang++", "CMAKE_BUILD_TYPE": "Debug"}}]}')
        self.assertEqual(names(check_deps.preset_commands(presets)), ["clang++", "ninja"])
        self.assertEqual(names(check_deps.shebang_commands("#!/usr/bin/env python3\n")),
                         ["env", "python3"])

    def test_list(self):
        deps = check_deps.DepsList(
            "# c\ninstall wine # why\ncommands wine wine wineserver\nfiles f /usr/x\n"
            "prerequisite apt apt-get\ninstall\ncommands wine64 wine\nfrom x y\n")
        self.assertEqual(deps.install, ["wine"])
        self.assertEqual(deps.commands, {"wine": "wine64", "wineserver": "wine"})
        self.assertEqual((deps.files, deps.prerequisites), ({"/usr/x": "f"}, {"apt-get": "apt"}))
        self.assertEqual(len(deps.errors), 3)
        self.assertIn("wine is listed twice", deps.errors[1])


def package(name, depends="", essential="no", provides="", status="install ok installed"):
    return (name, status, essential, "", depends, provides)


class DebianTest(unittest.TestCase):
    PACKAGES = check_deps.Packages([
        package("wine", "wine64 (>= 8.0~repack-4) | wine32 (>= 8.0~repack-4)"),
        package("wine64", "libc6 (>= 2.34), libwine (= 8.0)"),
        package("wine32", "libc6"),
        package("wine32:i386", "libc6 (>= 2.34), libwine (= 8.0), debconf"),
        package("libwine:i386", "libc6"),
        package("libc6:i386"),
        package("debconf"),
        package("libwine", "libc6"),
        package("libc6"),
        package("imagemagick", "imagemagick-6.q16 (>= 8:6.9.2.10+dfsg-2~)"),
        package("imagemagick-6.q16", "libc6"),
        package("cups", "cups-daemon, python3:any (>= 3.6), mail-transport-agent"),
        package("cups-daemon"),
        package("python3"),
        package("exim4", provides="mail-transport-agent"),
        package("coreutils", essential="yes"),
        package("removed", status="deinstall ok config-files"),
    ])

    def test_relations(self):
        self.assertEqual(check_deps.first_alternatives(
            "wine64 (>= 8.0) | wine32 (>= 8.0), libc6:amd64 (>= 2.34), python3:any, x [amd64]"),
            ["wine64", "libc6", "python3", "x"])
        closure = self.PACKAGES.closure
        self.assertEqual(closure(["wine"]), {"wine", "wine64", "libwine", "libc6"})
        self.assertEqual(closure(["cups"]), {"cups", "cups-daemon", "python3", "exim4"})
        self.assertEqual(closure(["removed", "absent"]), set())
        self.assertEqual(closure(["wine32:i386"]),
                         {"wine32:i386", "libwine:i386", "libc6:i386", "debconf"})
        self.assertEqual(self.PACKAGES.essential, {"coreutils"})

    # command, declared package, [(path, owners)], install list, failure's words or None
    OWNERS = [
        ("wine", "wine", [("/usr/bin/wine", None), ("/etc/alternatives/wine", None),
                          ("/usr/bin/wine-stable", ["wine"])], ["wine"], None),
        ("wine", "wine", [("/usr/bin/wine", None), ("/usr/bin/wine-stable", ["wine"])],
         ["wine64"], "comes from the Debian package wine, which scripts/install-deps does not"),
        ("wine", "wine64", [("/usr/bin/wine-stable", ["wine"])], ["wine", "wine64"],
         "says it comes from wine64, but /usr/bin/wine-stable belongs to wine"),
        ("wineserver", "wine", [("/usr/bin/wineserver-stable", ["wine"]),
                                ("/usr/lib/wine/wineserver", ["libwine"])], ["wine"], None),
        ("import", "imagemagick", [("/usr/bin/import", None),
                                   ("/usr/bin/import-im6.q16", ["imagemagick-6.q16"])],
         ["imagemagick"], None),
        ("cat", "coreutils", [("/usr/bin/cat", ["coreutils"])], [], None),
        ("x", "wine", [("/usr/local/bin/x", None)], ["wine"], "no Debian package owns"),
        ("apt-get", "wine32", [("/usr/bin/apt-get", ["wine32"])], [], "prerequisite"),
        ("/usr/lib/wine/wine", "wine32:i386", [("/usr/lib/wine/wine", ["wine32:i386"])],
         ["wine32:i386"], None),
        ("/usr/lib/wine/wine", "wine32:i386", [("/usr/lib/wine/wine", ["wine32:i386"])],
         ["wine32"], "comes from the Debian package wine32:i386, which scripts/install-deps"),
    ]

    def test_owners(self):
        packages = self.PACKAGES
        for name, declared, chain, install, failure in self.OWNERS:
            with self.subTest(name=name, install=install):
                available = packages.closure(install) | packages.closure(packages.essential)
                found = check_deps.check_provided(name, declared, chain, available, packages,
                                                  failure == "prerequisite")
                if failure in (None, "prerequisite"):
                    self.assertEqual(found, [])
                else:
                    self.assertEqual(len(found), 1)
                    self.assertIn(failure, found[0])
                    self.assertTrue(found[0].startswith(name + ": "))

    def test_paths(self):
        self.assertEqual(check_deps.aliases("/usr/bin/mount"), ["/usr/bin/mount", "/bin/mount"])
        self.assertEqual(check_deps.aliases("/sbin/x"), ["/sbin/x", "/usr/sbin/x"])
        self.assertEqual(check_deps.aliases("/etc/cups/x"), ["/etc/cups/x"])
        with tempfile.TemporaryDirectory() as folder:
            os.symlink("b", os.path.join(folder, "a"))
            os.symlink(os.path.join(folder, "sub", "..", "c"), os.path.join(folder, "b"))
            open(os.path.join(folder, "c"), "w").close()
            self.assertEqual(check_deps.link_chain(os.path.join(folder, "a")),
                             [os.path.join(folder, n) for n in "abc"])


# The release's own suite, the target of install-deps' second try.
CODENAME = platform.freedesktop_os_release().get("VERSION_CODENAME", "")
# What apt-get says when a mirror is in the middle of a sync, and when the
# i386 side cannot have the versions the amd64 side took from it.
INDEX_FAILS = ("echo 'E: Failed to fetch http://deb.debian.org/debian-security/dists/"
               "bookworm-security/main/binary-i386/Packages.xz  File has unexpected size "
               "(374820 != 376004). Mirror sync in progress?'; exit 100")
UNMET_I386 = ("echo ' wine32:i386 : Depends: libwine:i386 but it is not going to be installed'; "
              "echo 'E: Unable to correct problems, you have held broken packages.'; exit 100")


def apt_get(update, plain_install, targeted_install):
    """A stand-in apt-get that logs its calls and answers each as told."""
    return ('echo "apt-get $*" >>{tmp}/calls\ncase "$*" in\nupdate) %s ;;\n'
            '*" -t "*) %s ;;\n*) %s ;;\nesac' % (update, targeted_install, plain_install))


# Not root, through sudo; every package missing; dpkg's list of architectures
# as install-deps wants it (never changed by a test); no pause between tries.
AS_USER = {"id": "echo 1000", "dpkg-query": "exit 1",
           "sudo": 'echo "sudo $*" >>{tmp}/calls; exec "$@"',
           "dpkg": "case $1 in --print-architecture) echo amd64 ;; *) echo i386 ;; esac",
           "sleep": 'echo "sleep $*" >>{tmp}/calls'}
FAILS = (None, [])  # any exit code but 0, nothing logged to look for


class LoudFailureTest(unittest.TestCase):
    """The scripts run from a PATH holding every listed command but some: each
    failure names what is missing or which step failed, with its output."""

    # what runs, the packages whose commands (or the commands) are hidden,
    # stand-ins (name: shell body), words the error output must hold, and
    # (the exit code or None for a failure, words the stand-ins' log holds)
    ROWS = [
        (["scripts/install-deps", "--check"], ["wine", "Xvfb"], {},
         ["missing: wine, from the Debian package wine", "missing: wineboot, from",
          "missing: Xvfb, from the Debian package xvfb"]),
        (["scripts/install-deps"], [], {"id": "echo 1000", "dpkg-query": "exit 1", "sudo": None},
         ["these packages are missing: cmake make", "run this script as root, or install sudo"]),
        (["scripts/wine-prefix", "up", "{tmp}/prefix"], ["wine"], {},
         ["creating the Wine prefix {tmp}/prefix failed: 'wineboot -i' exited with code 127",
          "wineboot: command not found"]),
        (["scripts/wine-prefix", "up", "{tmp}/prefix"], ["flock"], {},
         ["wine-prefix: line", "'flock 9' failed with exit code 127"]),
        # A good prefix with WINEARCH=win32 in the shell: neither made again
        # nor refused by wine as "a 64-bit installation".
        (["bash", "-c", "mkdir -p {tmp}/p/drive_c/windows/syswow64 && touch "
          "{tmp}/p/drive_c/windows/syswow64/kernel32.dll && echo 'with the 32-bit side' "
          ">{tmp}/p/.sorvel-ready && WINEARCH=win32 scripts/wine-prefix up {tmp}/p"], [],
         {"wineboot": "echo made again >&2; exit 1", "wineserver": "exit 0",
          "wine": '[ -z "$WINEARCH" ] || { echo "wine: WINEARCH set to win32 but {tmp}/p is a '
                  '64-bit installation." >&2; exit 1; }'}, [], (0, [])),
        (["bash", "-c", "source scripts/xvfb-lib.sh && start_private_xvfb"], ["xvfb"], {},
         ["the virtual display", "did not start", "Xvfb: command not found"]),
        (["scripts/cups-private", "start", "{tmp}/cups", "{tmp}/cups.sock"], ["cups-daemon"], {},
         ["missing: cupsd, from the Debian package cups-daemon"]),
        (["scripts/cups-private", "start", "{tmp}/cups", "{tmp}/cups.sock"], [],
         {"unshare": "echo 'unshare: cannot change root filesystem propagation' >&2; exit 1"},
         ["cupsd does not answer on {tmp}/cups.sock",
          "    unshare: cannot change root filesystem propagation"]),
        (["scripts/cups-private", "start", "{tmp}/cups", "{tmp}/cups.sock"], [],
         {"cupsd": "echo 'Unknown directive PeerCred on line 11 of cups-files.conf.' >&2; exit 1"},
         ["checking the scheduler's configuration (cupsd -t) failed",
          "    Unknown directive PeerCred on line 11"]),
        (["scripts/fuzz.sh", "0"], ["cmake"], {},
         ["configuring the fuzzer's build failed", "cmake: command not found"]),
        # A mirror in sync: the install goes on without the index it names.
        (["scripts/install-deps"], [],
         dict(AS_USER, **{"apt-get": apt_get(INDEX_FAILS, "exit 0", "exit 1")}),
         ["apt-get update failed twice", "binary-i386/Packages.xz  File has unexpected size"],
         (0, ["apt-get update\nsleep 20\nsudo env DEBIAN_FRONTEND=noninteractive apt-get update\n"
              "apt-get update\nsudo env DEBIAN_FRONTEND=noninteractive apt-get install -y "
              "--no-install-recommends cmake make"])),
        # The i386 side cannot have what amd64 has: the release's suite alone.
        (["scripts/install-deps"], [],
         dict(AS_USER, **{"apt-get": apt_get("exit 0", UNMET_I386, "exit 0")}),
         ["you have held broken packages.); installing again with the packages of %s alone"
          % CODENAME],
         (0, ["apt-get install -y --no-install-recommends -t %s cmake" % CODENAME])),
        (["scripts/install-deps"], [],
         dict(AS_USER, **{"apt-get": apt_get(INDEX_FAILS, UNMET_I386, UNMET_I386)}),
         ["Mirror sync in progress?", "installing the packages of %s failed" % CODENAME,
          "    E: Unable to correct problems", "try again later, or another mirror"],
         (1, ["-t %s" % CODENAME])),
    ]

    def test_missing_commands(self):
        with open(os.path.join(ROOT, "scripts", "deps.list"), encoding="utf-8") as f:
            deps = check_deps.DepsList(f.read())
        for argv, hidden, stand_ins, expected, (status, calls) in \
                [row if len(row) == 5 else row + (FAILS,) for row in self.ROWS]:
            with self.subTest(argv=argv, hidden=hidden), \
                    tempfile.TemporaryDirectory() as tmp:
                bin_dir = os.path.join(tmp, "bin")
                os.mkdir(bin_dir)
                for name, owner in list(deps.commands.items()) + list(deps.prerequisites.items()):
                    if name.startswith("/"):
                        continue  # run by its path, which PATH does not change
                    path = check_deps.find_command(name)
                    if path and owner not in hidden and name not in hidden \
                            and name not in stand_ins:
                        os.symlink(path, os.path.join(bin_dir, name))
                for name, body in stand_ins.items():
                    if body is not None:
                        with open(os.path.join(bin_dir, name), "w") as f:
                            f.write("#!/bin/sh\n%s\n" % body.replace("{tmp}", tmp))
                        os.chmod(os.path.join(bin_dir, name), 0o755)
                env = dict(os.environ, PATH=bin_dir, DISPLAY="", HOME=tmp)
                env.pop("WINEPREFIX", None)
                argv = [a.replace("{tmp}", tmp) for a in argv]
                result = subprocess.run(argv, cwd=ROOT, env=env, capture_output=True, text=True,
                                        stdin=subprocess.DEVNULL, timeout=120)
                # A private CUPS instance that user lp cannot reach here lives in /tmp.
                instance = os.path.realpath(os.path.join(tmp, "cups"))
                if instance.startswith("/tmp/sorvel-cups."):
                    shutil.rmtree(instance)
                if status is None:
                    self.assertNotEqual(result.returncode, 0, result.stderr)
                else:
                    self.assertEqual(result.returncode, status, result.stderr)
                for words in expected:
                    self.assertIn(words.replace("{tmp}", tmp), result.stderr)
                if calls:
                    with open(os.path.join(tmp, "calls"), encoding="utf-8") as f:
                        logged = f.read()
                    for words in calls:
                        self.assertIn(words, logged)


if __name__ == "__main__":
    unittest.main()
