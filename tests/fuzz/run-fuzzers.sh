#!/bin/sh
# run-fuzzers.sh BUILD SECONDS: runs every fuzz target of BUILD (configured
# with -DQR_FUZZ=ON) for SECONDS seconds, starting from its seed corpus and
# what earlier runs found (BUILD/fuzz-work/NAME/corpus). Fails when any
# target crashes, times out or draws a sanitizer report; prints each
# target's run count.
set -u
build=$1
seconds=$2
list=$build/fuzz-targets.txt
if [ ! -s "$list" ]; then
  echo "run-fuzzers.sh: no fuzz targets listed in $list" >&2
  exit 1
fi
status=0
while IFS='|' read -r name exe seeds; do
  work=$build/fuzz-work/$name
  mkdir -p "$work/corpus" "$work/artifacts"
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds" </dev/null >"$work/log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
  if [ "$rc" -eq 0 ]; then
    echo "fuzz $name: ${runs:-?} runs in $seconds s, no failures"
  else
    echo "fuzz $name: FAILED (exit $rc) after ${runs:-?} runs; the input is in $work/artifacts/"
    tail -n 40 "$work/log"
    status=1
  fi
done <"$list"
exit $status
