#!/usr/bin/env bash
# Builds the text benchmark optimized and without sanitizers in build/bench, runs it, and prints
# each service's time beside the memcpy floor and the standard-library way, and the 10x scaling.
# Extra arguments go to the benchmark (for example --benchmark_filter=Split).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -DRC_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j2 --target text_bench >/dev/null
./build/bench/bench/text_bench --benchmark_repetitions=3 --benchmark_display_aggregates_only=true \
  --benchmark_out=build/bench/text_bench.json --benchmark_out_format=json "$@"

command -v python3 >/dev/null || exit 0
python3 - build/bench/text_bench.json <<'PY'
import json, sys

# The least CPU time of the repetitions: on a shared machine other work only ever adds to a
# figure, and wall time counts the waits for the processor too.
times = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("run_type", "iteration") == "iteration":
        name = b.get("run_name", b["name"])
        times[name] = min(times.get(name, float("inf")), b["cpu_time"])  # microseconds

print("\nRatios (least CPU time of the repetitions):")
loads = [("Split", "BM_Split_{}/{}", "SplitText", "StdStringFind"),
         ("Replace, few matches", "BM_Replace_{}/FewMatches/{}", "ReplaceSubtext", "StdSearch"),
         ("Replace, many matches", "BM_Replace_{}/ManyMatches/{}", "ReplaceSubtext", "StdSearch")]
for title, pattern, ours, std in loads:
    for scale in (1, 10):
        floor, mine, theirs = (times.get(pattern.format(k, scale)) for k in ("Memcpy", ours, std))
        if None in (floor, mine, theirs):
            continue
        print(f"  {title:22} {scale:>2}x: {ours} {mine:10.1f} us = {mine / floor:6.2f}x memcpy; "
              f"{theirs / mine:5.2f}x faster than {std}")
    growth = {}
    for k in (ours, std, "Memcpy"):
        one, ten = times.get(pattern.format(k, 1)), times.get(pattern.format(k, 10))
        if one and ten:
            growth[k] = f"{k} {ten / one:.2f}x"
    if growth:
        print(f"  {title:22} 10x input takes: " + ", ".join(growth.values()))
PY
