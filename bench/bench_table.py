#!/usr/bin/env python3
"""The benchmark table: Dovrel against the tools users already have, in one run.

Each row is one kind of work, measured on this machine in this run: dovrel-cli against
`openssl enc` for a cipher and GNU shred for overwriting (times of the whole processes, the
files in the page cache), the in-process chained throughput of the other ciphers against the
faster of Crypto++ and Botan (from dovrel_bench_cipher), the counting pass against `find`,
and the peak resident memory of dovrel-cli at three file sizes. Prints the table and writes
it, with the processor and the date, into the benchmark section of docs/performance.md.

With --wine-cli, the Windows build of dovrel-cli runs the same commands under Wine too
(WINEPREFIX as the caller set it), and its times and ratios stand beside the native ones.

Usage: bench/bench_table.py --cli PATH --cipher-bench PATH [--wine-cli PATH] [--mib N]
                            [--big-mib N] [--files N] [--repeat N] [--folder DIR]
                            [--output FILE]
"""
import argparse
import datetime
import os
import platform
import shutil
import subprocess
import sys
import tempfile
import time

KEY_HEX = "00112233445566778899aabbccddeeff0011223344556677"
IV_HEX = "00112233445566778899aabbccddeeff"
LEGACY = ["-provider", "legacy", "-provider", "default"]

# dovrel-cli cipher, openssl cipher, key bytes, block bytes, openssl options.
TOOL_CIPHERS = [
    ("Blowfish", "bf-cbc", 16, 8, LEGACY),
    ("DES", "des-cbc", 8, 8, LEGACY),
    ("3DES", "des-ede3-cbc", 24, 8, []),
    ("CAST-128", "cast5-cbc", 16, 8, LEGACY),
    ("RC2", "rc2-cbc", 16, 8, LEGACY),
]
# The ciphers measured in process, against the faster of Crypto++ and Botan.
IN_PROCESS = ["CAST-256", "ICE", "Thin ICE", "ICE2", "IDEA", "MARS", "MISTY 1", "RC5", "RC6",
              "Serpent", "TEA", "TWOFISH"]
# Scheme, passes, GNU shred's options for as many passes.
SHRED = [(0, 1, ["-n", "0", "-z"]), (1, 1, ["-n", "1"]), (3, 3, ["-n", "3"]),
         (8, 7, ["-n", "7"]), (10, 35, ["-n", "35"])]

BEGIN = "<!-- scripts/bench table: begin -->"
END = "<!-- scripts/bench table: end -->"


def run(args):
    """Wall seconds and peak resident KiB of one command, which must succeed.

    The peak comes from GNU time: a child that Python starts itself would report Python's own
    resident set, which the kernel counts for the child up to its exec."""
    with tempfile.NamedTemporaryFile("r") as peak_file:
        # What earlier commands left to write back must not land on this one's flushes.
        os.sync()
        start = time.perf_counter()
        proc = subprocess.run(["/usr/bin/time", "-q", "-f", "%M", "-o", peak_file.name, *args],
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE)
        seconds = time.perf_counter() - start
        if proc.returncode != 0:
            sys.exit(f"{' '.join(args)} failed ({proc.returncode}): "
                     f"{proc.stderr.decode(errors='replace')}")
        return seconds, int(peak_file.read().split()[-1])


def best_of(repeat, args, before=None):
    """The shortest time of `repeat` runs of one command and its largest peak; `before` runs
    untimed ahead of each, to give every run the same start."""
    times, peaks = [], []
    for _ in range(repeat):
        if before:
            before()
        seconds, peak = run(args)
        times.append(seconds)
        peaks.append(peak)
    return min(times), max(peaks)


WINE_CLI = None  # the Windows build of dovrel-cli, when it is measured too


def under_wine(args):
    """The same dovrel-cli command for the Windows build: Wine's drive Z: is the Linux root."""
    return ["wine", WINE_CLI] + ["Z:" + a.replace("/", "\\") if a.startswith("/") else a
                                 for a in args[1:]]


def ours_and_wine(repeat, args, before=None):
    """Dovrel's best time and peak, and the Windows build's best time under Wine (or None)."""
    ours, peak = best_of(repeat, args, before)
    wine = best_of(repeat, under_wine(args), before)[0] if WINE_CLI else None
    return ours, peak, wine


def make_file(path, size):
    chunk = os.urandom(1 << 20)
    with open(path, "wb") as f:
        for _ in range(size >> 20):
            f.write(chunk)
        f.write(chunk[: size & ((1 << 20) - 1)])
    warm(path)


def warm(path):
    with open(path, "rb") as f:  # into the page cache
        while f.read(1 << 24):
            pass


def same_file(a, b):
    return subprocess.run(["cmp", "-s", a, b]).returncode == 0


class Table:
    def __init__(self):
        self.rows = []
        self.peaks = []

    def time_row(self, work, ours_cmd, ref_cmd, ours, theirs, limit=1.0, wine=None):
        ratio = ours / theirs
        row = [work, ours_cmd, ref_cmd, f"{ours:.2f} s", f"{theirs:.2f} s", f"{ratio:.2f}",
               f"≤ {limit}", "yes" if ratio <= limit else "no"]
        if WINE_CLI:
            row += [f"{wine:.2f} s", f"{wine / theirs:.2f}"] if wine is not None else ["-", "-"]
        self.rows.append(row)

    def rate_row(self, work, ref_name, ours, theirs):
        if theirs is None:
            self.add([work, "in process", "none has it", f"{ours:.1f} MiB/s", "-", "-",
                      "≥ 0.8", "n/a"])
            return
        ratio = ours / theirs
        self.add([work, "in process", ref_name, f"{ours:.1f} MiB/s", f"{theirs:.1f} MiB/s",
                  f"{ratio:.2f}", "≥ 0.8", "yes" if ratio >= 0.8 else "no"])

    def add(self, row):
        """A row that has no Windows build's figures."""
        self.rows.append(row + (["-", "-"] if WINE_CLI else []))

    def markdown(self):
        head = ["Work", "Dovrel", "Reference", "Dovrel", "Reference", "Ratio", "Target", "Met"]
        if WINE_CLI:
            head += ["Windows build under Wine", "Ratio under Wine"]
        lines = ["| " + " | ".join(head) + " |", "|" + "---|" * len(head)]
        lines += ["| " + " | ".join(r) + " |" for r in self.rows]
        return "\n".join(lines)


def crypt_rows(table, cli, work, size, pwfile, repeat):
    src = os.path.join(work, "data.bin")
    make_file(src, size)
    ref_out = os.path.join(work, "ref.bin")
    for cipher, ossl, key_bytes, block, extra in [("RIJNDAEL", "aes-192-cbc", 24, 16, [])] + \
            TOOL_CIPHERS:
        ossl_key = ["-K", KEY_HEX[: 2 * key_bytes], "-iv", IV_HEX[: 2 * block]]
        ours, peak, wine = ours_and_wine(repeat, [cli, "encrypt", "--quiet", "--cipher", cipher,
                                                  "--password-file", pwfile, src])
        table.peaks.append(peak)
        theirs, _ = best_of(repeat, ["openssl", "enc", "-e", f"-{ossl}", *extra, *ossl_key,
                                     "-in", src, "-out", ref_out])
        table.time_row(f"encrypt, {cipher}", f"encrypt --cipher {cipher}", f"enc -{ossl}",
                       ours, theirs, wine=wine)
        if cipher == "RIJNDAEL":
            os.rename(src, src + ".orig")

            def no_output():
                if os.path.exists(src):
                    os.remove(src)

            ours, peak, wine = ours_and_wine(repeat, [cli, "decrypt", "--quiet",
                                                      "--password-file", pwfile, src + ".enc"],
                                             no_output)
            table.peaks.append(peak)
            theirs, _ = best_of(repeat, ["openssl", "enc", "-d", f"-{ossl}", *ossl_key, "-in",
                                         ref_out, "-out", os.path.join(work, "ref.dec")])
            table.time_row("decrypt, RIJNDAEL", "decrypt", f"enc -d -{ossl}", ours, theirs,
                           wine=wine)
            if not same_file(src, src + ".orig"):
                sys.exit("RIJNDAEL: the decrypted file differs from the source")
            os.remove(src + ".orig")
            os.remove(os.path.join(work, "ref.dec"))
        os.remove(src + ".enc")
        os.remove(ref_out)
    os.remove(src)


def in_process_rows(table, cipher_bench, work, buffer_mib):
    tsv = os.path.join(work, "ciphers.tsv")
    subprocess.run([cipher_bench, "--folder", work, "--mib", "16", "--buffer-mib",
                    str(buffer_mib), "--tsv", tsv], check=True, stdout=subprocess.DEVNULL)
    rates = {}
    with open(tsv) as f:
        for line in f:
            cells = line.rstrip("\n").split("\t")
            ours = float(cells[1])
            # Libraries in the benchmark's order: OpenSSL, Crypto++, Botan.
            libraries = {"Crypto++": float(cells[6]), "Botan": float(cells[9])}
            rates[cells[0]] = (ours, libraries)
    for cipher in IN_PROCESS:
        ours, libraries = rates[cipher]
        measured = {k: v for k, v in libraries.items() if v > 0}
        if not measured:
            table.rate_row(f"encrypt, {cipher}", None, ours, None)
            continue
        name = max(measured, key=measured.get)
        table.rate_row(f"encrypt, {cipher}", f"{name} CBC", ours, measured[name])


def shred_rows(table, cli, work, size, repeat):
    victim = os.path.join(work, "victim.bin")

    def fresh_victim():
        make_file(victim, size)

    for scheme, passes, gnu in SHRED:
        ours, peak, wine = ours_and_wine(repeat, [cli, "shred", "--quiet", "--scheme",
                                                  str(scheme), victim], fresh_victim)
        table.peaks.append(peak)
        theirs, _ = best_of(repeat, ["shred", *gnu, "-u", victim], fresh_victim)
        table.time_row(f"shred, scheme {scheme}", f"shred --scheme {scheme}",
                       f"shred {' '.join(gnu)} -u", ours, theirs, wine=wine)


def count_row(table, cli, work, files, repeat):
    tree = os.path.join(work, "tree")
    folders = 1000
    for d in range(folders):
        folder = os.path.join(tree, f"d{d:04}")
        os.makedirs(folder)
        for i in range(files // folders):
            open(os.path.join(folder, f"f{i:03}.txt"), "wb").close()
    run(["find", tree, "-type", "f"])  # the same warm caches for both
    ours, _, wine = ours_and_wine(repeat, [cli, "encrypt", "--dry-run", "--quiet", tree])
    theirs, _ = best_of(repeat, ["find", tree, "-type", "f"])
    table.time_row(f"count {files} files in {folders} folders", "encrypt --dry-run",
                   "find DIR -type f", ours, theirs, limit=1.2, wine=wine)
    shutil.rmtree(tree)


def memory_rows(table, cli, work, pwfile, sizes_mib):
    src = os.path.join(work, "memory.bin")
    for mib in sizes_mib:
        make_file(src, mib << 20)
        _, peak = run([cli, "encrypt", "--quiet", "--cipher", "RIJNDAEL", "--password-file",
                       pwfile, src])
        os.remove(src + ".enc")
        table.add([f"peak memory, {mib} MiB file", "encrypt --cipher RIJNDAEL", "-",
                   f"{peak / 1024:.1f} MiB", "-", "-", "≤ 8 MiB",
                   "yes" if peak <= 8 * 1024 else "no"])
    os.remove(src)


def cpu_model():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown processor"


def write_note(path, text):
    old = ""
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            old = f.read()
    block = f"{BEGIN}\n{text}\n{END}"
    if BEGIN in old and END in old:
        new = old[: old.index(BEGIN)] + block + old[old.index(END) + len(END):]
    else:
        new = "# Performance\n\n" + block + "\n" + old
    with open(path, "w", encoding="utf-8") as f:
        f.write(new)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--cipher-bench", required=True)
    parser.add_argument("--wine-cli", help="the Windows build of dovrel-cli, run under Wine")
    parser.add_argument("--mib", type=int, default=256, help="file size of the timed rows")
    parser.add_argument("--big-mib", type=int, default=2048, help="largest file of the memory rows")
    parser.add_argument("--files", type=int, default=100_000, help="files of the counting row")
    parser.add_argument("--buffer-mib", type=int, default=32, help="in-process buffer")
    parser.add_argument("--repeat", type=int, default=3, help="timed runs, the best counts")
    parser.add_argument("--folder", default="/var/tmp")
    parser.add_argument("--output", default="docs/performance.md")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    global WINE_CLI
    WINE_CLI = os.path.abspath(args.wine_cli) if args.wine_cli else None
    size = args.mib << 20
    table = Table()
    work = tempfile.mkdtemp(prefix="dovrel-bench-", dir=args.folder)
    try:
        pwfile = os.path.join(work, "pw")
        with open(pwfile, "w") as f:
            f.write("benchmark")
        crypt_rows(table, cli, work, size, pwfile, args.repeat)
        in_process_rows(table, os.path.abspath(args.cipher_bench), work, args.buffer_mib)
        shred_rows(table, cli, work, size, args.repeat)
        count_row(table, cli, work, args.files, args.repeat)
        memory_rows(table, cli, work, pwfile, [1, args.mib, args.big_mib])
    finally:
        shutil.rmtree(work, ignore_errors=True)

    today = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
    text = "\n".join([
        f"Measured by `scripts/bench` on {cpu_model()} ({os.cpu_count()} logical processors), "
        f"{today}: files of {args.mib} MiB in the page cache under {args.folder}, the best of "
        f"{args.repeat} runs of each command.",
        "",
        table.markdown(),
        "",
        "Ratio: Dovrel's time over the reference's for whole processes (below 1 Dovrel is "
        "faster), Dovrel's throughput over the reference's in process (above 1 Dovrel is "
        "faster). dovrel-cli flushes its output to the device before it renames it into "
        "place; `openssl enc` does not flush. GNU shred and dovrel-cli both flush every pass. "
        "The in-process rows are chained calls of 8192 bytes in place, CBC encryption for the "
        "libraries; peak memory is the resident set of dovrel-cli encrypting one file."
        + (" The Windows build runs the same commands under Wine, whose start of each "
           "process is part of its times." if WINE_CLI else ""),
    ])
    print(text)
    write_note(args.output, text)
    print(f"\nwritten to {args.output}")


if __name__ == "__main__":
    main()
