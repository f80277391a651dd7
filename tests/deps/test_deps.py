"""Tests of check_deps.py's readers and of its view of Debian's packages."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_deps  # noqa: E402


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
        ("trap 'rm -f \"$log\"; kill $pid' EXIT", ["kill", "rm", "trap"]),
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


if __name__ == "__main__":
    unittest.main()
