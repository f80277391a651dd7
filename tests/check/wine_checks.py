"""What the Python tests of the checker and of the release share: failures
collected rather than stopping at the first, and programs run under Wine with
their output in files (Wine's background processes would hold a pipe open)."""
import os
import subprocess
import tempfile
import time

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def result():
    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    print("all checks passed")
    return 0


def run(command, env=None, cwd=None, stdout=None):
    """Runs a command; returns (exit code, stdout bytes, stderr text). Its
    standard output goes to `stdout` instead when that is given."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        status = subprocess.run(command, stdout=stdout or out, stderr=err,
                                stdin=subprocess.DEVNULL, env=env, cwd=cwd,
                                timeout=120).returncode
        out.seek(0)
        err.seek(0)
        return status, out.read(), err.read().decode("utf-8", "replace")


def windows_path(path):
    """A Unix path as Wine's drive Z: shows it."""
    return "Z:" + os.path.realpath(path).replace("/", "\\")


def wine_server_settles(prefix, running, seconds=10):
    """Whether the server of `prefix` is running (or not) within `seconds`: a
    server told to stop leaves the process list a moment after the command
    that stopped it has returned."""
    deadline = time.time() + seconds
    while wine_server_running(prefix) != running:
        if time.time() >= deadline:
            return False
        time.sleep(0.2)
    return True


def wine_server_running(prefix):
    """Whether a wineserver serves `prefix`: the server works in a folder
    named after the prefix's device and inode."""
    try:
        info = os.stat(prefix)
    except OSError:
        return False
    folder = "server-%x-%x" % (info.st_dev, info.st_ino)
    for process in os.listdir("/proc"):
        try:
            if process.isdigit() and os.readlink(f"/proc/{process}/cwd").endswith("/" + folder):
                return True
        except OSError:
            continue
    return False
