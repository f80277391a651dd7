#!/usr/bin/env python3
"""Proves that scripts/install-deps installs every command the project runs.

usage: check_deps.py [ROOT]     ROOT: the repository (default: the one holding this file)

1. Reads the commands that the shell scripts, the Python scripts, the CMake
   files and the CMake presets run, and fails on each one that
   scripts/deps.list does not name: a new command cannot be forgotten.
2. Finds each listed command where Debian packages put commands (PATH-like
   dirs below, never /usr/local or a user's own tools), follows its symbolic
   links (alternatives included) and asks dpkg which package owns each step.
   Fails, naming the command and the package, when that package is neither
   installed by scripts/install-deps (listed, or pulled in by the Depends or
   Pre-Depends of a listed package, first alternatives only, as apt-get
   --no-install-recommends does) nor in Debian's essential set; and when the
   list names another package than dpkg does. Whatever else this machine
   has installed does not count.
3. Checks the files that listed packages are installed for in the same way.

Prints one line per failure and exits 1 when there is any.
"""
import json
import os
import re
import subprocess
import sys

SYSTEM_DIRS = ["/usr/sbin", "/usr/bin", "/sbin", "/bin"]
# Directories that merged /usr links to their /usr twins: dpkg may know a
# file under either name.
MERGED_DIRS = ["bin", "sbin", "lib", "lib32", "lib64", "libx32"]


class Failure(Exception):
    pass


# --------------------------------------------------------------------------
# The list

class DepsList:
    """scripts/deps.list: install lines, commands, prerequisites and files."""

    def __init__(self, text, path="scripts/deps.list"):
        self.install = []  # packages, in order
        self.commands = {}  # command -> package
        self.prerequisites = {}  # command -> package
        self.files = {}  # path -> package
        self.errors = []
        for number, raw in enumerate(text.splitlines(), 1):
            words = raw.split("#", 1)[0].split()
            if not words:
                continue
            kind, args = words[0], words[1:]
            where = "%s:%d" % (path, number)
            if kind == "install" and len(args) == 1:
                self.install.append(args[0])
            elif kind in ("commands", "prerequisite", "files") and len(args) >= 2:
                table = {"commands": self.commands, "prerequisite": self.prerequisites,
                         "files": self.files}[kind]
                for name in args[1:]:
                    if name in self.commands or name in self.prerequisites or name in self.files:
                        self.errors.append("%s: %s is listed twice" % (where, name))
                    table[name] = args[0]
            else:
                self.errors.append("%s: not understood: %s" % (where, raw.strip()))

    def known(self, command):
        return command in self.commands or command in self.prerequisites


# --------------------------------------------------------------------------
# Commands the sources run: (line, command) pairs

# Commands that run the command after their own options; the sets name the
# options that take a separate argument.
WRAPPERS = {
    "sudo": {"-u", "-g", "-C", "-D", "-h", "-p", "-r", "-t", "-U"},
    "exec": {"-a"},
    "setsid": set(),
    "unshare": {"--propagation", "--setgroups", "-S", "--setuid", "-G", "--setgid", "-R",
                "--root", "-w", "--wd", "--map-user", "--map-group"},
    "env": {"-u", "--unset", "-C", "--chdir", "-S", "--split-string"},
    "nice": {"-n", "--adjustment"},
    "nohup": set(),
    "timeout": {"-s", "--signal", "-k", "--kill-after"},
    "xargs": {"-I", "-n", "-P", "-L", "-d", "-E", "-s", "-a"},
    "flock": {"-E", "--conflict-exit-code", "-w", "--timeout"},
    "runuser": {"-u", "--user", "-g", "--group", "-G", "--supp-group", "-s", "--shell", "-w"},
    "quietly": set(),  # scripts/lib.sh: quietly STEP COMMAND...
}
# Operands of a wrapper before its command: a duration, a lock, a step's name.
WRAPPER_OPERANDS = {"timeout": 1, "flock": 1, "quietly": 1}
SHELLS = {"sh", "bash", "dash"}


def word_value(word):
    """The text of a word without expansions, or None when it has any."""
    text = ""
    for part in word.get("Parts", []):
        kind = part.get("Type")
        if kind in ("Lit", "SglQuoted"):
            text += part.get("Value", "")
        elif kind == "DblQuoted":
            inner = word_value(part)
            if inner is None:
                return None
            text += inner
        else:
            return None
    return text


def word_variable(word):
    """The name of the variable a word consists of ($name, "${name}"), or None."""
    parts = word.get("Parts", [])
    if len(parts) == 1 and parts[0].get("Type") == "DblQuoted":
        parts = parts[0].get("Parts", [])
    if len(parts) == 1 and parts[0].get("Type") == "ParamExp":
        expansion = parts[0]
        if set(expansion) <= {"Type", "Pos", "End", "Dollar", "Rbrace", "Short", "Param"}:
            return expansion["Param"]["Value"]
    return None


def parse_shell(text):
    result = subprocess.run(["shfmt", "-ln", "bash", "--tojson"], input=text,
                            capture_output=True, text=True)
    if result.returncode != 0:
        raise Failure("shfmt cannot parse it: " + result.stderr.strip())
    return json.loads(result.stdout)


def syntax_nodes(tree):
    """Every node of shfmt's syntax tree."""
    if isinstance(tree, dict):
        yield tree
        tree = list(tree.values())
    if isinstance(tree, list):
        for value in tree:
            yield from syntax_nodes(value)


def shell_functions(text):
    """Names of the functions a shell file defines."""
    return {node["Name"]["Value"] for node in syntax_nodes(parse_shell(text))
            if node.get("Type") == "FuncDecl"}


def shell_commands(text, first_line=1):
    """The commands a shell script runs by name, with their lines."""
    found = []

    def call(args, line):
        index = 0
        while index < len(args):
            word = args[index]
            name = word_value(word)
            if name is None:
                # $sudo is "sudo" or nothing; any other command in a variable
                # cannot be told here.
                if word_variable(word) != "sudo":
                    return
                name = "sudo"
            if name == "" or "/" in name and not name.startswith("/"):
                return  # the project's own scripts and programs
            found.append((line, name))
            values = [word_value(w) for w in args[index + 1:]]
            if name == "trap" and values and values[0] is not None:
                found.extend(shell_commands(values[0], line))
                return
            if name == "eval" and None not in values:
                found.extend(shell_commands(" ".join(values), line))
                return
            if name in SHELLS:
                if "-c" in values and values.index("-c") + 1 < len(values):
                    script = values[values.index("-c") + 1]
                    if script is not None:
                        found.extend(shell_commands(script, line))
                return
            if name == "command":
                if values[:1] in (["-v"], ["-V"]):
                    found.extend((line, v) for v in values[1:] if v and "/" not in v)
                    return
                index += 1
                continue
            if name not in WRAPPERS:
                return
            # Skip the wrapper's options and leading operands: then comes the command.
            index += 1
            operands = WRAPPER_OPERANDS.get(name, 0)
            while index < len(args):
                value = word_value(args[index])
                if value is not None and value.startswith("-"):
                    index += 2 if value in WRAPPERS[name] else 1
                elif name in ("env", "sudo") and value is not None and "=" in value:
                    index += 1
                elif operands:
                    operands -= 1
                    index += 1
                else:
                    break

    for node in syntax_nodes(parse_shell(text)):
        if node.get("Type") == "CallExpr" and node.get("Args"):
            call(node["Args"], node["Pos"]["Line"] + first_line - 1)
    return found


def shebang_commands(text):
    """The interpreter of a script: `#!/usr/bin/env bash` runs env and bash."""
    if not text.startswith("#!"):
        return []
    words = text.splitlines()[0][2:].split()
    if not words:
        return []
    names = [os.path.basename(words[0])]
    if names[0] == "env" and len(words) > 1:
        names.append(words[1])
    return [(1, name) for name in names]


# Calls of a Python script that start a program named by a string literal.
PYTHON_RUN = re.compile(
    r"""\b(?:run|call|check_call|check_output|Popen|which)\(\s*\[?\s*(['"])([^'"/\s]+)\1""")


def python_commands(text):
    found = []
    for match in PYTHON_RUN.finditer(text):
        found.append((text.count("\n", 0, match.start()) + 1, match.group(2)))
    return found


def cmake_invocations(text):
    """(line, command, [arguments]) of each CMake command call, comments removed."""
    calls = []
    position = 0
    pattern = re.compile(r"([A-Za-z_][A-Za-z0-9_]*)\s*\(")
    uncommented = re.sub(r'("(?:\\.|[^"\\])*")|#[^\n]*', lambda m: m.group(1) or "", text)
    while True:
        match = pattern.search(uncommented, position)
        if not match:
            return calls
        depth, index = 1, match.end()
        while depth and index < len(uncommented):
            char = uncommented[index]
            if char == '"':
                index = uncommented.index('"', index + 1)
            elif char == "(":
                depth += 1
            elif char == ")":
                depth -= 1
            index += 1
        body = uncommented[match.end():index - 1]
        arguments = [a[1:-1] if a.startswith('"') else a
                     for a in re.findall(r'"(?:\\.|[^"\\])*"|[^\s"]+', body)]
        line = uncommented.count("\n", 0, match.start()) + 1
        calls.append((line, match.group(1).lower(), arguments))
        position = index


CMAKE_COMMAND_VARIABLES = {"CMAKE_COMMAND": "cmake", "CMAKE_CTEST_COMMAND": "ctest",
                           "Python3_EXECUTABLE": "python3"}


def cmake_commands(texts):
    """The commands that CMake files run: texts maps a file to its text.

    A command word that names a variable (other than the ones CMake and
    find_package set), a target or a path is the project's own or already
    counted where the variable is found."""
    calls = {path: cmake_invocations(text) for path, text in texts.items()}
    targets, variables = set(), {}
    for path in calls:
        for line, command, args in calls[path]:
            if command in ("add_executable", "add_library", "add_custom_target",
                           "externalproject_add") and args:
                targets.add(args[0])
            elif command == "set" and len(args) >= 2:
                variables[args[0]] = args[1]

    def expand(value):
        return re.sub(r"\$\{(\w+)\}", lambda m: variables.get(m.group(1), m.group(0)), value)

    found = []
    for path in calls:
        for line, command, args in calls[path]:
            where = (path, line)
            if command == "find_program" and len(args) >= 2:
                names = args[args.index("NAMES") + 1:] if "NAMES" in args else args[1:2]
                keywords = {"HINTS", "PATHS", "PATH_SUFFIXES", "DOC", "REQUIRED", "NO_CACHE",
                            "NAMES_PER_DIR", "NO_DEFAULT_PATH"}
                for name in names:
                    if name in keywords:
                        break
                    found.append(where + (name,))
            elif command == "find_package" and args[:1] == ["Python3"] and "Interpreter" in args:
                found.append(where + ("python3",))
            elif command == "set" and len(args) >= 2 and re.fullmatch(
                    r"CMAKE_\w+_COMPILER", args[0]):
                found.append(where + (expand(args[1]),))
            for index, arg in enumerate(args[:-1]):
                if arg != "COMMAND":
                    continue
                word = args[index + 1]
                variable = re.fullmatch(r"\$\{(\w+)\}", word)
                if variable:
                    if variable.group(1) in CMAKE_COMMAND_VARIABLES:
                        found.append(where + (CMAKE_COMMAND_VARIABLES[variable.group(1)],))
                    continue
                word = expand(word)
                if "$" in word or "/" in word or word in targets:
                    continue
                found.append(where + (word,))
    return found


GENERATORS = {"Unix Makefiles": "make", "Ninja": "ninja"}


def preset_commands(text):
    found = []
    for preset in json.loads(text).get("configurePresets", []):
        if preset.get("generator") in GENERATORS:
            found.append(GENERATORS[preset["generator"]])
        for name, value in preset.get("cacheVariables", {}).items():
            if re.fullmatch(r"CMAKE_\w+_COMPILER", name):
                found.append(value if isinstance(value, str) else value.get("value"))
    return [(1, name) for name in found]


# --------------------------------------------------------------------------
# The project's sources

def source_files(root):
    """(relative path, kind) of the files that may run commands."""
    files = []
    for folder, dirs, names in os.walk(root):
        relative = os.path.relpath(folder, root)
        dirs[:] = sorted(d for d in dirs if not (relative == "." and d == "build")
                         and (not d.startswith(".") or d == ".ci"))
        for name in sorted(names):
            path = os.path.normpath(os.path.join(relative, name))
            if name == "CMakeLists.txt" or name.endswith(".cmake"):
                files.append((path, "cmake"))
            elif name == "CMakePresets.json":
                files.append((path, "presets"))
            elif name.endswith(".py"):
                files.append((path, "python"))
            elif name.endswith(".sh"):
                files.append((path, "shell"))
            else:
                with open(os.path.join(root, path), "rb") as f:
                    head = f.read(64).split(b"\n")[0]
                if head.startswith(b"#!") and re.search(rb"\b(ba|da)?sh\b", head):
                    files.append((path, "shell"))
                elif head.startswith(b"#!") and b"python" in head:
                    files.append((path, "python"))
    return files


def project_commands(root):
    """{command: [where, ...]} for every command the project runs; where is file:line."""
    uses, functions, cmake_texts = {}, set(), {}
    shell_texts = {}
    for path, kind in source_files(root):
        with open(os.path.join(root, path), encoding="utf-8") as f:
            text = f.read()
        if kind == "cmake":
            cmake_texts[path] = text
            continue
        try:
            if kind == "shell":
                shell_texts[path] = text
                functions |= shell_functions(text)
                found = shell_commands(text)
            elif kind == "python":
                found = python_commands(text)
            else:
                found = preset_commands(text)
        except Failure as failure:
            raise Failure("%s: %s" % (path, failure))
        for line, name in shebang_commands(text) + found:
            uses.setdefault(name, []).append("%s:%d" % (path, line))
    for path, line, name in cmake_commands(cmake_texts):
        uses.setdefault(name, []).append("%s:%d" % (path, line))
    builtins = set(subprocess.run(["bash", "-c", "compgen -b; compgen -k"], capture_output=True,
                                  text=True, check=True).stdout.split())
    return {name: where for name, where in uses.items()
            if name not in builtins and name not in functions}


# --------------------------------------------------------------------------
# Debian's view

def first_alternatives(field):
    """The package names apt picks from a Depends field: the first of each
    group of alternatives, without version or architecture."""
    names = []
    for group in field.split(","):
        first = group.split("|")[0].strip()
        if first:
            names.append(re.split(r"[\s(:\[]", first, 1)[0])
    return names


def native_architecture():
    return subprocess.run(["dpkg", "--print-architecture"], capture_output=True, text=True,
                          check=True).stdout.strip()


def qualified(name, architecture, native):
    """A package's name as apt-get and the install list spell it: bare for
    the machine's own architecture (and "all"), NAME:ARCH for another one."""
    return name if architecture in (native, "all", "") else "%s:%s" % (name, architecture)


class Packages:
    """The installed packages with their relations, from dpkg's database.
    A package of another architecture is named NAME:ARCH, and so are the
    packages it depends on: an i386 package needs the i386 libraries."""

    def __init__(self, rows):
        """rows: (package, status, essential, pre-depends, depends, provides)."""
        self.depends, self.providers, self.essential = {}, {}, set()
        for name, status, essential, pre_depends, depends, provides in rows:
            if not status.endswith("ok installed"):
                continue
            suffix = name[name.index(":"):] if ":" in name else ""
            self.depends.setdefault(name, []).extend(
                depend + suffix for depend in
                first_alternatives(pre_depends) + first_alternatives(depends))
            for virtual in first_alternatives(provides):
                self.providers.setdefault(virtual, set()).add(name)
            if essential == "yes":
                self.essential.add(name)

    @staticmethod
    def from_dpkg():
        out = subprocess.run(
            ["dpkg-query", "-W", "-f", "${Package}\t${Architecture}\t${Status}\t${Essential}\t"
             "${Pre-Depends}\t${Depends}\t${Provides}\n"],
            capture_output=True, text=True, check=True).stdout
        native = native_architecture()
        rows = (line.split("\t") for line in out.splitlines() if line.count("\t") == 6)
        return Packages((qualified(name, architecture, native), *rest)
                        for name, architecture, *rest in rows)

    def installed(self, name):
        return name in self.depends

    def closure(self, roots):
        """The packages apt installs along with roots (roots included)."""
        seen, queue = set(), list(roots)
        while queue:
            name = queue.pop()
            if name in seen:
                continue
            if not self.installed(name) and ":" in name:
                # Satisfied by the machine's own architecture (Multi-Arch: foreign).
                name = name.split(":")[0]
                if name in seen:
                    continue
            if not self.installed(name):
                queue.extend(self.providers.get(name, ()))
                continue
            seen.add(name)
            queue.extend(self.depends[name])
        return seen


def aliases(path):
    """path and its twin across merged /usr: /usr/bin/x <-> /bin/x."""
    parts = path.split("/")
    if len(parts) > 2 and parts[1] in MERGED_DIRS:
        return [path, "/usr" + path]
    if len(parts) > 3 and parts[1] == "usr" and parts[2] in MERGED_DIRS:
        return [path, path[4:]]
    return [path]


def link_chain(path):
    """path, then each target of its symbolic links in turn."""
    chain = [path]
    while os.path.islink(chain[-1]) and len(chain) < 20:
        target = os.readlink(chain[-1])
        chain.append(os.path.normpath(os.path.join(os.path.dirname(chain[-1]), target)))
    return chain


def dpkg_owners(paths):
    """{path: [package, ...]} for the paths dpkg knows, in one query; the
    packages named as Packages names them."""
    candidates = sorted({alias for path in paths for alias in aliases(path)})
    result = subprocess.run(["dpkg", "-S"] + candidates, capture_output=True, text=True)
    native = native_architecture()
    by_alias = {}
    for line in result.stdout.splitlines():
        if line.startswith("diversion by") or ": " not in line:
            continue
        packages, owned = line.split(": ", 1)
        by_alias[owned] = [qualified(*owner.strip().partition(":")[::2], native)
                           for owner in packages.split(",")]
    owners = {}
    for path in paths:
        for alias in aliases(path):
            if alias in by_alias:
                owners[path] = by_alias[alias]
                break
    return owners


def find_command(name):
    """Where a system PATH finds a command, or None."""
    if name.startswith("/"):
        return name if os.path.exists(name) else None
    for folder in SYSTEM_DIRS:
        path = os.path.join(folder, name)
        if os.path.isfile(path) and os.access(path, os.X_OK):
            return path
    return None


def check_provided(name, package, chain_owners, available, packages, prerequisite):
    """The failure of one command or file, if any: chain_owners is its link
    chain as [(path, [owners] or None)]; every step that dpkg knows must come
    from the listed package (or one it depends on) and be installed by the
    list. Steps no package owns are the links of alternatives."""
    owned = [(step, owners) for step, owners in chain_owners if owners]
    if not owned:
        return ["%s: no Debian package owns %s" % (name, " -> ".join(s for s, _ in chain_owners))]
    declared = packages.closure([package])
    for step, owners in owned:
        if not any(owner in declared for owner in owners):
            return ["%s: scripts/deps.list says it comes from %s, but %s belongs to %s"
                    % (name, package, step, ", ".join(owners))]
        if not prerequisite and not any(owner in available for owner in owners):
            return ["%s: %s comes from the Debian package %s, which scripts/install-deps does "
                    "not install (not on its install list, not pulled in by a listed package's "
                    "Depends, not essential)" % (name, step, ", ".join(owners))]
    return []


def check(root):
    with open(os.path.join(root, "scripts", "deps.list"), encoding="utf-8") as f:
        deps = DepsList(f.read())
    failures = list(deps.errors)
    uses = project_commands(root)
    for name in sorted(uses):
        if not deps.known(name):
            places = ", ".join(uses[name][:3]) + (" and more" if len(uses[name]) > 3 else "")
            failures.append("%s: run at %s, but scripts/deps.list does not name it: add it to "
                            "the commands line of the Debian package it comes from"
                            % (name, places))
    packages = Packages.from_dpkg()
    for package in deps.install:
        if not packages.installed(package):
            failures.append("%s: on the install list but not installed: run scripts/install-deps"
                            % package)
    available = packages.closure(deps.install) | packages.closure(packages.essential)

    wanted = [(name, package, False) for name, package in deps.commands.items()]
    wanted += [(name, package, True) for name, package in deps.prerequisites.items()]
    wanted += [(name, package, False) for name, package in deps.files.items()]
    chains = {}
    for name, package, prerequisite in wanted:
        path = find_command(name) if name not in deps.files else (
            name if os.path.exists(name) else None)
        if path is None:
            if not prerequisite:
                failures.append("%s: not found in %s; scripts/deps.list says %s provides it"
                                % (name, ":".join(SYSTEM_DIRS), package))
            continue
        chains[name] = link_chain(path)
    owners = dpkg_owners([step for chain in chains.values() for step in chain])
    for name, package, prerequisite in wanted:
        if name in chains:
            chain = [(step, owners.get(step)) for step in chains[name]]
            failures += check_provided(name, package, chain, available, packages, prerequisite)
    unused = sorted(name for name in deps.commands if name not in uses)
    return failures, unused


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    try:
        failures, unused = check(os.path.abspath(root))
    except Failure as failure:
        failures, unused = [str(failure)], []
    for name in unused:
        print("note: %s is listed but nothing here runs it" % name)
    for failure in failures:
        print("FAIL " + failure)
    if not failures:
        print("Every command the project runs comes from a package scripts/install-deps installs.")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
