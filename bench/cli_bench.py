#!/usr/bin/env python3
"""dovrel-cli against public tools on the same file in the page cache.

Encryption and decryption against `openssl enc` for the same cipher and mode, shredding
against GNU shred for the same number of passes. Prints each pair's throughput and ratio
(ours divided by theirs, above 1 is faster) and the peak memory of dovrel-cli, measured at
two file sizes so a growth with the size shows.

Usage: bench/cli_bench.py [PATH-TO-dovrel-cli] [--mib N] [--folder DIR]
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

KEY_HEX = "00112233445566778899aabbccddeeff0011223344556677"
IV_HEX = "0011223344556677"


def run(args, stdin=None):
    """Wall seconds and peak resident KiB of one command, which must succeed."""
    start = time.perf_counter()
    proc = subprocess.Popen(args, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(proc.pid, 0)
    seconds = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    err = proc.stderr.read().decode(errors="replace")
    proc.stderr.close()
    if proc.returncode != 0:
        sys.exit(f"{' '.join(args)} failed ({proc.returncode}): {err}")
    return seconds, usage.ru_maxrss


def make_file(path, size):
    with open(path, "wb") as f:
        chunk = os.urandom(1 << 20)
        for _ in range(size >> 20):
            f.write(chunk)
    with open(path, "rb") as f:  # into the page cache
        while f.read(1 << 24):
            pass


def report(label, size, ours, theirs):
    rate = lambda s: size / s / (1 << 20)
    print(f"{label:<34} dovrel-cli {rate(ours):8.1f} MiB/s   reference {rate(theirs):8.1f} MiB/s"
          f"   ratio {theirs / ours:5.2f}")


def crypt_pair(cli, work, src, size, cipher, ossl, pwfile, peaks):
    enc = src + ".enc"
    ours, peak = run([cli, "encrypt", "--quiet", "--cipher", cipher, "--password-file", pwfile, src])
    peaks.append(peak)
    ref_out = os.path.join(work, "ref.bin")
    theirs, _ = run(["openssl", "enc", "-e", *ossl, "-K", KEY_HEX[: 2 * key_bytes(ossl)],
                     "-iv", IV_HEX * (2 if "aes" in ossl[0] else 1), "-in", src, "-out", ref_out])
    report(f"encrypt {cipher} / {ossl[0]}", size, ours, theirs)
    os.rename(src, src + ".orig")
    ours, peak = run([cli, "decrypt", "--quiet", "--password-file", pwfile, enc])
    peaks.append(peak)
    theirs, _ = run(["openssl", "enc", "-d", *ossl, "-K", KEY_HEX[: 2 * key_bytes(ossl)],
                     "-iv", IV_HEX * (2 if "aes" in ossl[0] else 1), "-in", ref_out,
                     "-out", os.path.join(work, "ref.dec")])
    report(f"decrypt {cipher} / {ossl[0]}", size, ours, theirs)
    if not filecmp(src, src + ".orig"):
        sys.exit(f"{cipher}: the decrypted file differs")
    for p in (enc, src + ".orig", ref_out, os.path.join(work, "ref.dec")):
        os.remove(p)


def key_bytes(ossl):
    return 24 if "aes" in ossl[0] else 16


def filecmp(a, b):
    return subprocess.run(["cmp", "-s", a, b]).returncode == 0


def shred_pair(cli, work, size, scheme, passes, gnu, peaks):
    victim = os.path.join(work, "victim.bin")
    make_file(victim, size)
    ours, peak = run([cli, "shred", "--quiet", "--scheme", str(scheme), victim])
    peaks.append(peak)
    make_file(victim, size)
    theirs, _ = run(["shred", *gnu, "-u", victim])
    report(f"shred {passes} pass(es), scheme {scheme}", size * passes, ours, theirs)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli", nargs="?", default="build/native/bin/dovrel-cli")
    parser.add_argument("--mib", type=int, default=256)
    parser.add_argument("--folder", default="/var/tmp")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    size = args.mib << 20
    work = tempfile.mkdtemp(prefix="dovrel-bench-", dir=args.folder)
    try:
        pwfile = os.path.join(work, "pw")
        with open(pwfile, "w") as f:
            f.write("benchmark")
        src = os.path.join(work, "data.bin")
        peaks = []
        print(f"file of {args.mib} MiB in {work}")
        for cipher, ossl in (("RIJNDAEL", ["-aes-192-cbc"]),
                             ("Blowfish", ["-bf-cbc", "-provider", "legacy", "-provider", "default"])):
            make_file(src, size)
            crypt_pair(cli, work, src, size, cipher, ossl, pwfile, peaks)
        for scheme, passes, gnu in ((0, 1, ["-n", "0", "-z"]), (1, 1, ["-n", "1"]),
                                    (3, 3, ["-n", "3"]), (8, 7, ["-n", "7"])):
            shred_pair(cli, work, size, scheme, passes, gnu, peaks)
        print(f"peak memory of dovrel-cli at {args.mib} MiB: {max(peaks)} KiB")
        small = os.path.join(work, "small.bin")
        make_file(small, 16 << 20)
        _, peak = run([cli, "encrypt", "--quiet", "--cipher", "RIJNDAEL", "--password-file", pwfile, small])
        print(f"peak memory of dovrel-cli encrypting 16 MiB: {peak} KiB")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
