#!/usr/bin/env python3
"""Signing as scripts/package.sh --sign does it, with throwaway certificates
made here (never a time-stamp server): a publisher's certificate issued by a
root of its own.

- With the chain up to the root, every program in the zip (the launcher, the
  checker, the sample's launcher and programs) carries an Authenticode
  signature that osslsigncode verifies on its own, SHA-256, by that
  publisher, and SHA256SUMS lists the signed programs.
- With the publisher's certificate alone (no way to its root) the
  signatures cannot be verified: no zip is made.

usage: signing_test.py RELEASE_ARGS WORK_DIR
"""
import hashlib
import os
import shutil
import subprocess
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
MAKE_RELEASE = os.path.join(ROOT, "scripts", "make_release.py")
PUBLISHER = "Throwaway publisher"

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(ROOT, "tests", "check"))
from wine_checks import check, result  # noqa: E402


def openssl(work, *arguments):
    subprocess.run(["openssl", *arguments], cwd=work, check=True, capture_output=True)


def throwaway_certificates(work):
    """(chain.pem, leaf.pem, leaf.key): the publisher's certificate with and
    without its root."""
    openssl(work, "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "root.key",
            "-out", "root.pem", "-days", "2", "-subj", "/CN=Throwaway root",
            "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign")
    openssl(work, "req", "-newkey", "rsa:2048", "-nodes", "-keyout", "leaf.key", "-out", "leaf.csr",
            "-subj", "/CN=" + PUBLISHER)
    with open(os.path.join(work, "leaf.ext"), "w") as f:
        f.write("extendedKeyUsage=codeSigning\nkeyUsage=digitalSignature\n")
    openssl(work, "x509", "-req", "-in", "leaf.csr", "-CA", "root.pem", "-CAkey", "root.key",
            "-CAcreateserial", "-days", "2", "-extfile", "leaf.ext", "-out", "leaf.pem")
    with open(os.path.join(work, "chain.pem"), "w") as chain:
        for name in ("leaf.pem", "root.pem"):
            with open(os.path.join(work, name)) as f:
                chain.write(f.read())
    return [os.path.join(work, name) for name in ("chain.pem", "leaf.pem", "leaf.key")]


def make_signed(release_args, out_zip, cert, key):
    return subprocess.run([sys.executable, MAKE_RELEASE, "@" + release_args, "--out", out_zip,
                           "--sign", cert, key], capture_output=True, text=True)


def signed_programs_verify(out_zip, chain, work):
    with zipfile.ZipFile(out_zip) as archive:
        top = archive.namelist()[0].split("/")[0]
        listed = archive.read(f"{top}/SHA256SUMS").decode("utf-8")
        programs = [n[len(top) + 1:] for n in archive.namelist() if n.lower().endswith(".exe")]
        check({"SorvelL.exe", "SvlCheck.exe", "sample/SERIES/LAUNCH/SorvelL.exe"} <= set(programs)
              and len(programs) > 3, f"programs in the zip: {programs}")
        for name in programs:
            data = archive.read(f"{top}/{name}")
            program = os.path.join(work, "program.exe")
            with open(program, "wb") as f:
                f.write(data)
            done = subprocess.run(["osslsigncode", "verify", "-CAfile", chain, "-in", program],
                                  capture_output=True, text=True)
            report = done.stdout + done.stderr
            check(done.returncode == 0, f"{name}: the signature does not verify:\n{report}")
            check("Message digest algorithm  : SHA256" in report, f"{name}: not signed with SHA-256")
            check(f"Subject: /CN={PUBLISHER}" in report, f"{name}: not signed by {PUBLISHER}")
            check(f"{hashlib.sha256(data).hexdigest()}  {name}" in listed,
                  f"SHA256SUMS does not list the signed {name}")


def main(release_args, work):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    chain, leaf, key = throwaway_certificates(work)

    signed = os.path.join(work, "signed.zip")
    done = make_signed(release_args, signed, chain, key)
    check(done.returncode == 0, f"signing with the chain failed:\n{done.stdout}{done.stderr}")
    if done.returncode == 0:
        signed_programs_verify(signed, chain, work)

    unverified = os.path.join(work, "unverified.zip")
    done = make_signed(release_args, unverified, leaf, key)
    check(done.returncode != 0, "signatures that do not verify were packed")
    check("verifying the signature of SorvelL.exe failed" in done.stderr,
          f"the refusal does not say why:\n{done.stderr}")
    check(not os.path.exists(unverified) and not os.path.exists(unverified + ".part"),
          "a zip was written all the same")
    return result()


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:3]))
