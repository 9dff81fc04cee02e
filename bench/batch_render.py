#!/usr/bin/env python3
"""Times brindo-cli render on many documents: one call for all of them against
one call each, and one worker against two.

batch_render.py --cli CLI --library native=DIR --library large=DIR
                [--documents 1000] [--large-documents 100] [--rounds 3]

The documents are random outfits of the native library (compose --random
--seed 1 ... N). At the native size, N single calls (one after another) run
alternately with one `render --out-dir` call for all N, with all cores and
with -j 1; at the large size, the first --large-documents of them with -j 1
and -j 2. Medians of the rounds, throughput in pictures a second, peak memory
(maximum resident set, from /usr/bin/time) against the bound of 40 MiB and,
for each worker, a canvas, two layers and 16 MiB of kept layers. Pictures go
to memory where there is such a folder, as in compare-peers.sh. The batch's pictures must be the
single calls' byte for byte."""
import argparse
import concurrent.futures
import glob
import os
import shutil
import statistics
import struct
import subprocess
import tempfile
import time


def load():
    with open("/proc/loadavg", encoding="utf-8") as file:
        return " ".join(file.read().split()[:3])


def run(command, report=None):
    """Wall seconds and peak resident memory in KiB (0 without a report file)."""
    timed = ["/usr/bin/time", "-f", "%M", "-o", report] + command if report else command
    started = time.perf_counter()
    finished = subprocess.run(timed, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                              check=False)
    took = time.perf_counter() - started
    if finished.returncode != 0:
        raise SystemExit(f"{' '.join(command[:3])} ... failed ({finished.returncode}): "
                         f"{finished.stderr.decode(errors='replace').strip()[-500:]}")
    if not report:
        return took, 0
    with open(report, encoding="utf-8") as file:
        return took, int(file.read().split()[-1])


def make_documents(cli, library, folder, count):
    os.makedirs(folder, exist_ok=True)

    def compose(seed):
        subprocess.run([cli, "compose", "--library", library, "--random", "--seed", str(seed),
                        "-o", os.path.join(folder, f"{seed:04}.BRD")], check=True)

    with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        list(pool.map(compose, range(1, count + 1)))
    return sorted(glob.glob(os.path.join(folder, "*.BRD")))


def png_size(file):
    with open(file, "rb") as png:
        return struct.unpack(">II", png.read(24)[16:24])


def batch(cli, library, documents, out, jobs, report):
    shutil.rmtree(out, ignore_errors=True)
    command = [cli, "render", "--library", library, "--out-dir", out] + documents
    return run(command + (["-j", str(jobs)] if jobs else []), report)


def singles(cli, library, documents, out):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    started = time.perf_counter()
    for document in documents:
        name = os.path.splitext(os.path.basename(document))[0] + ".png"
        run([cli, "render", "--library", library, document, "-o", os.path.join(out, name)])
    return time.perf_counter() - started


KEPT_LAYERS_MIB = 16  # the decoded layers a worker keeps for the next documents


def bound_mib(picture, workers):
    width, height = png_size(picture)
    return 40 + workers * (width * height * 4 * 3 / 2**20 + KEPT_LAYERS_MIB)


def native_table(args, library, documents, work):
    report = os.path.join(work, "time.txt")
    times = {"single": [], "batch": [], "batch -j 1": []}
    peak = {"batch": 0, "batch -j 1": 0}
    for _ in range(args.rounds):
        times["single"].append(singles(args.cli, library, documents, os.path.join(work, "one")))
        for name, jobs in (("batch", None), ("batch -j 1", 1)):
            took, memory = batch(args.cli, library, documents, os.path.join(work, name), jobs,
                                 report)
            times[name].append(took)
            peak[name] = max(peak[name], memory)
    for one in sorted(glob.glob(os.path.join(work, "one", "*.png")))[:50]:
        with open(one, "rb") as a, open(os.path.join(work, "batch", os.path.basename(one)),
                                        "rb") as b:
            if a.read() != b.read():
                raise SystemExit(f"the batch's picture {os.path.basename(one)} differs")
    count = len(documents)
    single = statistics.median(times["single"])
    print(f"\nnative: {count} documents, median of {args.rounds} alternated rounds\n")
    print("| run | median s | pictures/s | x single calls | x -j 1 | peak MiB | bound MiB |")
    print("|---|---|---|---|---|---|---|")
    one_worker = statistics.median(times["batch -j 1"])
    picture = glob.glob(os.path.join(work, "batch", "*.png"))[0]
    for name, taken in times.items():
        median = statistics.median(taken)
        workers = 1 if name != "batch" else os.cpu_count()
        memory = f"{peak[name] / 1024:.0f} | {bound_mib(picture, workers):.0f}" \
            if name in peak else " | "
        print(f"| {name} ({count} calls)" if name == "single" else f"| {name} (one call)",
              end="")
        print(f" | {median:.2f} | {count / median:.0f} | {single / median:.1f} | "
              f"{one_worker / median:.2f} | {memory} |")


def large_table(args, library, documents, work):
    report = os.path.join(work, "time.txt")
    documents = documents[:args.large_documents]
    times = {1: [], 2: []}
    peak = {1: 0, 2: 0}
    for _ in range(args.rounds + 2):
        for jobs in times:
            took, memory = batch(args.cli, library, documents, os.path.join(work, f"large{jobs}"),
                                 jobs, report)
            times[jobs].append(took)
            peak[jobs] = max(peak[jobs], memory)
    picture = glob.glob(os.path.join(work, "large1", "*.png"))[0]
    width, height = png_size(picture)
    print(f"\nlarge: {width} x {height} pixels, {len(documents)} documents in one call, "
          f"median of {args.rounds + 2} alternated rounds\n")
    print("| run | median s | pictures/s | x -j 1 | peak MiB | bound MiB |")
    print("|---|---|---|---|---|---|")
    one_worker = statistics.median(times[1])
    for jobs, taken in times.items():
        median = statistics.median(taken)
        print(f"| batch -j {jobs} | {median:.2f} | {len(documents) / median:.1f} | "
              f"{one_worker / median:.2f} | {peak[jobs] / 1024:.0f} | "
              f"{bound_mib(picture, jobs):.0f} |")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--library", action="append", required=True, metavar="NAME=DIR")
    parser.add_argument("--documents", type=int, default=1000)
    parser.add_argument("--large-documents", type=int, default=100)
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    libraries = dict(given.partition("=")[::2] for given in args.library)
    memory = "/dev/shm" if os.access("/dev/shm", os.W_OK) else None
    work = tempfile.mkdtemp(prefix="brindo-batch-", dir=memory)
    try:
        print(f"\nBatch rendering; load at the start: {load()}")
        documents = make_documents(args.cli, os.path.abspath(libraries["native"]),
                                   os.path.join(work, "documents"), args.documents)
        native_table(args, os.path.abspath(libraries["native"]), documents, work)
        if "large" in libraries:
            large_table(args, os.path.abspath(libraries["large"]), documents, work)
        print(f"\nLoad at the end: {load()}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
