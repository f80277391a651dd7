#!/usr/bin/env python3
"""Makes the release zip: the launcher, the series checker, the publishers'
guide as HTML pages, the demo series as a sample and SHA256SUMS, below one
folder named like the zip.

usage: make_release.py --out ZIP --launcher EXE --checker EXE --guides DIR
                       --series DIR --source DIR [--sign CERT KEY [--timestamp URL]]
       make_release.py @ARGS_FILE [OPTION...]   (a file of one argument a line;
                                                 later options win)

The same files give the same zip, byte for byte: the entries are sorted and
all dated alike, at the time of the source tree's last commit (or
SOURCE_DATE_EPOCH when set; outside a git checkout a fixed date). Names that
are not ASCII are stored in UTF-8 and flagged so (Windows' own zip folders
and 7-Zip read them).

With --sign every program of ours in the zip (the launcher, the checker, and
the sample's launcher and programs) is signed with Authenticode (SHA-256) by
the certificate CERT (PEM, with its chain up to the root) and its key KEY,
time stamped only when --timestamp names a server, and each signature is
verified before anything is packed. The zip holds no other program.
"""
import argparse
import hashlib
import os
import subprocess
import sys
import tempfile
import time
import zipfile

# The date outside a git checkout; zip dates are DOS dates, which start in 1980.
FALLBACK_DATE = (2026, 1, 1, 0, 0, 0)
FIRST_DOS_DATE = (1980, 1, 1, 0, 0, 0)
SUMS_NAME = "SHA256SUMS"
SIGNED_AS = "Sorvel Launcher"
COMPRESS_LEVEL = 9


def files_below(folder, prefix, suffix=""):
    for path, folders, files in os.walk(folder):
        folders.sort()
        for name in sorted(files):
            if name.endswith(suffix):
                full = os.path.join(path, name)
                yield full, prefix + "/" + os.path.relpath(full, folder).replace(os.sep, "/")


def commit_time(source):
    """Seconds since 1970 of the last commit of `source`, or None."""
    try:
        found = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                               capture_output=True, text=True)
    except OSError:
        return None
    text = found.stdout.strip()
    return int(text) if found.returncode == 0 and text.isdigit() else None


def entry_date(source):
    """The one date of every entry, in UTC so that no time zone changes it."""
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    seconds = int(epoch) if epoch and epoch.isdigit() else commit_time(source)
    if seconds is None:
        return FALLBACK_DATE
    return max(FIRST_DOS_DATE, tuple(time.gmtime(seconds)[:6]))


def osslsigncode(step, arguments):
    done = subprocess.run(["osslsigncode", *arguments], capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"make_release.py: {step} failed (osslsigncode exit code {done.returncode}):\n"
                 + done.stdout + done.stderr)


def signed_copy(program, folder, cert, key, timestamp):
    """A copy of `program` in `folder`, signed and its signature verified."""
    name = os.path.basename(program)
    signed = os.path.join(tempfile.mkdtemp(dir=folder), name)
    arguments = ["sign", "-certs", cert, "-key", key, "-h", "sha256", "-n", SIGNED_AS]
    if timestamp:
        arguments += ["-ts", timestamp]
    osslsigncode(f"signing {name}", arguments + ["-in", program, "-out", signed])
    osslsigncode(f"verifying the signature of {name}",
                 ["verify", "-CAfile", cert, "-in", signed])
    return signed


def signed_programs(files, workspace, options):
    """The files with each program (*.exe, in any case) replaced by its signed
    copy: a school that allows only signed programs runs every one."""
    cert, key = options.sign
    signed = []
    for source, name in files:
        if name.lower().endswith(".exe"):
            source = signed_copy(source, workspace, cert, key, options.timestamp)
        signed.append((source, name))
    return signed


def sums(entries, top):
    """SHA256SUMS as `sha256sum -c` reads it in the unpacked folder."""
    lines = []
    for data, name in entries:
        lines.append(f"{hashlib.sha256(data).hexdigest()}  {name[len(top) + 1:]}\n")
    return "".join(lines).encode("utf-8")


def write_zip(out_zip, entries, date):
    os.makedirs(os.path.dirname(os.path.abspath(out_zip)), exist_ok=True)
    partial = out_zip + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as archive:
        for data, name in entries:
            info = zipfile.ZipInfo(name, date)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # the same on every system that packs it
            info.external_attr = 0o100644 << 16  # a plain file, rw-r--r--
            # A ZipInfo's own level wins over the archive's: it is given here.
            archive.writestr(info, data, compresslevel=COMPRESS_LEVEL)
    os.replace(partial, out_zip)


def make(options, workspace):
    top = os.path.basename(options.out)[: -len(".zip")]
    files = [(options.launcher, top + "/SorvelL.exe"), (options.checker, top + "/SvlCheck.exe")]
    files += list(files_below(options.guides, top + "/docs", ".html"))
    files += list(files_below(options.series, top + "/sample/SERIES"))
    if options.sign:
        files = signed_programs(files, workspace, options)
    entries = []
    for source, name in sorted(files, key=lambda file: file[1]):
        with open(source, "rb") as f:
            entries.append((f.read(), name))
    entries.append((sums(entries, top), top + "/" + SUMS_NAME))
    write_zip(options.out, sorted(entries, key=lambda entry: entry[1]), entry_date(options.source))


def main(argv):
    parser = argparse.ArgumentParser(fromfile_prefix_chars="@", usage=__doc__)
    for name in ("out", "launcher", "checker", "guides", "series", "source"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--sign", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--timestamp", metavar="URL")
    options = parser.parse_args(argv)
    if options.timestamp and not options.sign:
        parser.error("--timestamp needs --sign")
    with tempfile.TemporaryDirectory() as workspace:
        make(options, workspace)


if __name__ == "__main__":
    main(sys.argv[1:])
