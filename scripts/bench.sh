#!/usr/bin/env bash
# Builds and runs the ribbon benchmark and checks its two goals: a whole
# default document at most 35 times one memcpy of it, and at most two heap
# allocations per warm document.
set -euo pipefail
cd "$(dirname "$0")/.."
TAVLIN_NATIVE_ONLY=1 bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target ribbon_bench >/dev/null
out=$(./build/native/bench/ribbon_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=json)
python3 - "$out" <<'PY'
import json, sys
runs = {b["name"]: b for b in json.loads(sys.argv[1])["benchmarks"]}
doc = runs["BM_GetRibbonXML_median"]
mem = runs["BM_MemcpyDocument_median"]
ratio = doc["real_time"] / mem["real_time"]
allocs = doc.get("allocs_per_doc", float("nan"))
print(f"BM_GetRibbonXML   {doc['real_time'] / 1000:8.2f} us (median of 5, {doc['doc_bytes']:.0f} bytes)")
print(f"BM_MemcpyDocument {mem['real_time'] / 1000:8.2f} us")
print(f"ratio {ratio:.1f} (goal <= 35), allocations per document {allocs:g} (goal <= 2)")
sys.exit(0 if ratio <= 35 and allocs <= 2 else 1)
PY
