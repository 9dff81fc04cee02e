#!/usr/bin/env python3
"""Prints brindo-bench's JSON results as Markdown tables: the median of the
repetitions for each benchmark at each library size, and ratios to the
program's own way within each family."""
import json
import sys
from collections import OrderedDict

# Family prefix -> the benchmark the others are divided by.
BASELINES = OrderedDict([
    ("Redraw.layered", "Redraw.layered"),
    ("Redraw.readyMade", "Redraw.readyMade"),
    ("Decode.", "Decode.ours"),
    ("Inflate.", "Inflate.libdeflate"),
    ("Blend.", "Blend.spans"),
])
TARGETS = {"Window.itemClick/native": "< 1 ms", "Window.startUp/native": "< 200 ms",
           "Process.startUp/native": "< 200 ms", "Preview.listShown/native/200": "< 16 ms",
           "Preview.listShown/native/2000": "as without previews",
           "Preview.allReady/native/200": "< 1000 ms", "Preview.itemClick/native": "< 8 ms"}
# Counters that some benchmarks report beside their time.
COUNTERS = ["median_ms", "p95_ms", "max_ms", "lowest_median_ms", "lowest_p95_ms",
            "worst_category_median_ms", "worst_category_p95_ms", "clicks", "peak_mib", "kept",
            "kept_kib"]
WHOLE = ("clicks", "peak_mib", "kept", "kept_kib")  # counters shown without decimals
SCALE = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def medians(path):
    with open(path, encoding="utf-8") as file:
        results = json.load(file)
    found = OrderedDict()
    counters = OrderedDict()
    repetitions = 1
    for run in results["benchmarks"]:
        if run.get("aggregate_name", "median") != "median" or run.get("error_occurred"):
            continue
        benchmark, size, detail = split(run["run_name"])
        key = "/".join(part for part in (benchmark, size, detail) if part)
        found[key] = run["real_time"] * SCALE[run["time_unit"]]
        if any(name in run for name in COUNTERS):
            counters[key] = {name: run[name] for name in COUNTERS if name in run}
        repetitions = max(repetitions, run.get("repetitions", 1))
    return results["context"], repetitions, found, counters


def split(name):
    """'Decode.Qt/native/10195.png' -> ('Decode.Qt', 'native', '10195.png'),
    leaving out Google Benchmark's own parts ('real_time', 'iterations:20')."""
    parts = [part for part in name.split("/")
             if part not in ("real_time", "manual_time") and not part.startswith("iterations:")]
    return parts[0], parts[1], "/".join(parts[2:])


def baseline_of(benchmark):
    for prefix, baseline in BASELINES.items():
        if benchmark.startswith(prefix):
            return baseline
    return None


def show(ms):
    return f"{ms:.3f}" if ms < 1 else f"{ms:.2f}" if ms < 100 else f"{ms:.0f}"


def main():
    context, repetitions, times, counters = medians(sys.argv[1])
    sizes = list(OrderedDict.fromkeys(split(name)[1] for name in times))
    rows = list(OrderedDict.fromkeys((split(n)[0], split(n)[2]) for n in times))
    print(f"\n{context.get('num_cpus')} CPUs at {context.get('mhz_per_cpu')} MHz, "
          f"median of {repetitions} repetitions, times in ms; "
          "x = time / the program's own way in the same family\n")
    header = "| benchmark | " + " | ".join(f"{size} | x" for size in sizes) + " | target |"
    print(header)
    print("|" + "---|" * (2 + 2 * len(sizes)))
    for benchmark, detail in rows:
        cells = []
        for size in sizes:
            key = "/".join(part for part in (benchmark, size, detail) if part)
            time = times.get(key)
            baseline = baseline_of(benchmark)
            base = times.get("/".join(p for p in (baseline, size, detail) if p)) if baseline else None
            cells.append(show(time) if time is not None else "")
            cells.append(f"{time / base:.2f}" if time is not None and base else "")
        label = f"{benchmark} {detail}".strip()
        target = TARGETS.get("/".join(p for p in (benchmark, "native", detail) if p), "")
        print(f"| {label} | " + " | ".join(cells) + f" | {target} |")
    if counters:
        print("\nClick times, ms (medians of the repetitions' figures):\n")
        print("| benchmark | " + " | ".join(COUNTERS) + " |")
        print("|" + "---|" * (1 + len(COUNTERS)))
        for key, values in counters.items():
            print(f"| {key} | " + " | ".join(
                show(values[name]) if name in values and name not in WHOLE
                else f"{values[name]:.0f}" if name in values else "" for name in COUNTERS) + " |")


if __name__ == "__main__":
    main()
