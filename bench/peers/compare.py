#!/usr/bin/env python3
"""Times brindo-cli render against the tools a person would otherwise use to
compose the same layers, whole process each, and checks their pictures.

compare.py --cli CLI --floor FLOOR --limit LIMIT --runs N --library NAME=DIR [--library ...]

Each tool composes the 17 images of the full layered outfit over opaque white.
The tools run alternately, one after another, N rounds; the table gives the
median wall time, the ratio to brindo-cli and the peak memory (maximum
resident set, from /usr/bin/time). Every picture must agree with brindo-cli's
within 2 levels per channel.

In the same rounds brindo-limit measures what the work costs at the least:
(a) a process that loads Qt and ends, (b) inflating every layer's image data
with libdeflate, (c) one pass of source over blending of every layer's whole
area, (d) writing the picture. Their sum is "the limit", and brindo-cli's time
is given as a ratio to it."""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from PIL import Image, ImageChops

HERE = os.path.dirname(os.path.abspath(__file__))

# The full layered outfit, in drawing order, and the slots of its document.
LAYERS = [
    ("Background", "Backgrounds/01.png"), ("HairExtra", "Hair/Long/002.png"),
    (None, "10195.png"), ("Footwear", "Footwear/01.png"), ("Bottom", "Bottoms/01.png"),
    ("Tops", "Tops/01.png"), ("Other", "Other/01.png"), (None, "10196.png"),
    ("Mouth", "Mouth/Cheeky/00.png"), ("Eyes", "Eyes/Round/00.png"),
    ("Hair", "Hair/Long/001.png"), ("Eyewear", "Eyewear/01.png"), ("Hats", "Hats/01.png"),
    ("FriendsAndPets", "Friends and pets/01.png"), ("Interests", "Interests/01.png"),
    ("Foregrounds", "Foregrounds/01.png"), (None, "wm.png"),
]
# Every slot with its flag and path keys in an outfit document.
SLOTS = [("Background", "Background1", "Background2"), ("Bottom", "Bottom1", "Bottom2"),
         ("Eyes", "Eyes1", "Eyes2"), ("Eyewear", "Eyewear1", "Eyewear2"),
         ("Footwear", "Footwear1", "Footwear2"),
         ("Foregrounds", "Foregrounds1", "Foregrounds2"),
         ("FriendsAndPets", "FreAndPets1", "FreAndPets2"), ("Hair", "Hair1", "Hair2"),
         ("HairExtra", "Hair3", "Hair4"), ("Hats", "Hats1", "Hats2"),
         ("Interests", "Interest1", "Interest2"), ("Mouth", "Mouth1", "Mouth2"),
         ("Other", "Other1", "Other2"), ("ReadyMadeOutfit", "Reout1", "Reout2"),
         ("Tops", "Tops1", "Tops2")]
TOLERANCE = 2


def stored(path):
    return path.replace("/", "\\")


def write_document(folder, library):
    """An outfit document with every layer slot of LAYERS on."""
    paths = {slot: os.path.join(library, relative) for slot, relative in LAYERS if slot}
    lines = ["[Brindo]"]
    for slot, flag, _ in SLOTS:
        lines.append(f"{flag}={'True' if slot in paths else 'False'}")
    for slot, _, path in SLOTS:
        if slot in paths:
            lines.append(f"{path}={stored(paths[slot])}")
    document = os.path.join(folder, "outfit.brd")
    with open(document, "w", encoding="utf-8", newline="\r\n") as file:
        file.write("\n".join(lines) + "\n")
    return document


def commands(args, library, work):
    layers = [os.path.join(library, relative) for _, relative in LAYERS]
    out = lambda name, ext="bmp": os.path.join(work, f"{name}.{ext}")
    width, height = Image.open(layers[2]).size
    white = os.path.join(work, "white.png")
    Image.new("RGBA", (width, height), (255, 255, 255, 255)).save(white)
    document = write_document(work, library)
    # vips takes its inputs as one blank-separated list: give it names without blanks.
    linked = []
    for number, layer in enumerate(layers):
        linked.append(os.path.join(work, f"layer{number:02}.png"))
        os.symlink(layer, linked[-1])
    return {
        "brindo-cli render": ([args.cli, "render", document, "-o", out("brindo"),
                               "--library", library], out("brindo")),
        "libpng + blend loop": ([args.floor, out("floor")] + layers, out("floor")),
        "ImageMagick convert": (["convert", "-background", "white"] + layers +
                                ["-flatten", "-alpha", "off", "BMP3:" + out("magick")],
                                out("magick")),
        "Pillow alpha_composite": ([sys.executable, os.path.join(HERE, "pillow_compose.py"),
                                    out("pillow")] + layers, out("pillow")),
        "libvips composite": (["vips", "composite", " ".join([white] + linked),
                               out("vips", "ppm"), "2"],
                              out("vips", "ppm")),
    }


def run_once(command, work, output=None):
    """Wall seconds and peak resident memory in KiB of one whole process. The
    memory comes from /usr/bin/time, whose own small process is what forks.
    With `output` (a list), what the process prints is appended to it."""
    report = os.path.join(work, "time.txt")
    started = time.perf_counter()
    finished = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + command,
                              stdout=subprocess.PIPE if output is not None else subprocess.DEVNULL,
                              stderr=subprocess.PIPE, check=False)
    took = time.perf_counter() - started
    if finished.returncode != 0:
        raise SystemExit(f"{command[0]} failed ({finished.returncode}): "
                         f"{finished.stderr.decode(errors='replace').strip()}")
    if output is not None:
        output.append(finished.stdout.decode())
    with open(report, encoding="utf-8") as file:
        return took, int(file.read().split()[-1])


LIMIT_PARTS = ["(a) start a process that loads Qt, and end",
               "(b) inflate every layer's image data (libdeflate)",
               "(c) blend every layer's whole area once (source over)",
               "(d) write the picture (24-bit BMP)"]


def limit_round(args, library, work, parts):
    """One measurement of each part of the limit, appended to `parts`."""
    layers = [os.path.join(library, relative) for _, relative in LAYERS]
    took, _ = run_once([args.limit, "qt"], work)
    printed = []
    run_once([args.limit, "work", os.path.join(work, "limit.bmp")] + layers, work, printed)
    inflate, blend, write = (float(value) / 1000 for value in printed[0].split())
    for part, seconds in zip(LIMIT_PARTS, (took, inflate, blend, write)):
        parts[part].append(seconds)


def print_limit(parts, times):
    limit = sum(statistics.median(values) for values in parts.values())
    ours = statistics.median(times["brindo-cli render"])
    floor = statistics.median(times["libpng + blend loop"])
    print("\n| the limit, part by part | median ms |")
    print("|---|---|")
    for part, values in parts.items():
        print(f"| {part} | {statistics.median(values) * 1000:.1f} |")
    print(f"| the limit (the sum) | {limit * 1000:.1f} |")
    print(f"\nbrindo-cli render: {ours * 1000:.0f} ms, {ours / limit:.2f} x the limit; "
          f"libpng + blend loop takes {floor / ours:.2f} x as long as brindo-cli")


def difference(picture, reference):
    a = Image.open(picture).convert("RGB")
    b = Image.open(reference).convert("RGB")
    if a.size != b.size:
        return 256
    return max(high for _, high in ImageChops.difference(a, b).getextrema())


def compare(args, name, library):
    # Pictures go to memory where there is such a folder: the program replaces
    # its output file safely and waits for the disk, which the others do not.
    memory = "/dev/shm" if os.access("/dev/shm", os.W_OK) else None
    work = tempfile.mkdtemp(prefix=f"brindo-peers-{name}-", dir=memory)
    try:
        tools = commands(args, library, work)
        times = {tool: [] for tool in tools}
        memory = {tool: 0 for tool in tools}
        parts = {part: [] for part in LIMIT_PARTS}
        for tool, (command, _) in tools.items():  # one warm-up round
            run_once(command, work)
        limit_round(args, library, work, {part: [] for part in LIMIT_PARTS})
        for _ in range(args.runs):
            for tool, (command, _) in tools.items():
                took, peak = run_once(command, work)
                times[tool].append(took)
                memory[tool] = max(memory[tool], peak)
            limit_round(args, library, work, parts)
        reference = tools["brindo-cli render"][1]
        ours = statistics.median(times["brindo-cli render"])
        width, height = Image.open(reference).size
        print(f"\n{name}: {width} x {height} pixels a layer, 17 images, "
              f"median of {args.runs} alternated runs\n")
        print("| tool | median ms | x brindo-cli | peak MiB | max channel difference |")
        print("|---|---|---|---|---|")
        worst = 0
        for tool, (_, picture) in tools.items():
            median = statistics.median(times[tool])
            off = difference(picture, reference)
            worst = max(worst, off)
            print(f"| {tool} | {median * 1000:.0f} | {median / ours:.2f} | "
                  f"{memory[tool] / 1024:.0f} | {off} |")
        budget = (width * height * 4 * (1 + 2 * os.cpu_count())) / 2**20 + 40
        print(f"\nbrindo-cli peak memory {memory['brindo-cli render'] / 1024:.0f} MiB; budget "
              f"(canvas, two layers a decoding thread ({os.cpu_count()}) and 40 MiB) "
              f"{budget:.0f} MiB")
        print_limit(parts, times)
        return worst <= TOLERANCE
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--floor", required=True)
    parser.add_argument("--limit", required=True)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--library", action="append", required=True, metavar="NAME=DIR")
    args = parser.parse_args()
    agree = True
    for given in args.library:
        name, _, folder = given.partition("=")
        agree = compare(args, name, os.path.abspath(folder)) and agree
    if not agree:
        raise SystemExit(f"a tool's picture differs from brindo-cli's by more than {TOLERANCE}")
    print(f"\nEvery picture agrees with brindo-cli's within {TOLERANCE} levels per channel.")


if __name__ == "__main__":
    main()
