#!/bin/sh
# run-fuzzers.sh BUILD SECONDS: runs each fuzz target of BUILD (configured with -DQR_FUZZ=ON) for SECONDS
# from its seeds and what earlier runs found (BUILD/fuzz-work/NAME/corpus); prints its run count, and
# fails when one crashes, times out or draws a sanitizer report, leaving the input in fuzz-work/NAME/artifacts.
set -u
[ -s "$1/fuzz-targets.txt" ] || { echo "run-fuzzers.sh: no fuzz targets listed in $1/fuzz-targets.txt" >&2; exit 1; }
status=0
while IFS='|' read -r name exe seeds; do
  work=$1/fuzz-work/$name
  mkdir -p "$work/corpus" "$work/artifacts"
  "$exe" -max_total_time="$2" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds" </dev/null >"$work/log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
  echo "fuzz $name: ${runs:-?} runs in $2 s: $([ $rc -eq 0 ] && echo no failures || echo "FAILED (exit $rc)")"
  [ $rc -eq 0 ] || { tail -n 40 "$work/log"; status=1; }
done <"$1/fuzz-targets.txt"
exit $status
