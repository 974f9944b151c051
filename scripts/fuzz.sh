#!/usr/bin/env bash
# make fuzz: builds the fuzz targets of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in their own build folder and runs each for FUZZ_SECONDS
# (default 60), one after the other.
#   FUZZ_TARGETS="tavo codec"  only these targets
#   FUZZ_BUILD=build-fuzz      the build folder; it also keeps what the runs learn:
#     <build>/corpus/<target>/    inputs the fuzzer found interesting (the next run starts from them)
#     <build>/findings/<target>/  inputs that crashed or broke a check: fix the fault, then move the
#                                 input to fuzz/<target>/crashes/ so that the tests replay it
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
build=${FUZZ_BUILD:-build-fuzz}
targets=${FUZZ_TARGETS:-$(cd fuzz && for dir in */corpus; do echo "${dir%/corpus}"; done)}

NUV_WITH_FUZZ=1 ./scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DNUV_FUZZ=ON -DNUV_SANITIZE=ON
cmake --build "$build" -j "${JOBS:-2}" --target fuzz_targets

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
summary=()
status=0
for target in $targets; do
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  mkdir -p "$corpus" "$findings"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$findings/")
  [[ -f fuzz/$target/$target.dict ]] && options+=(-dict="fuzz/$target/$target.dict")
  log=$findings.log
  echo "== fuzz_$target for $seconds s (log: $log)"
  code=0
  "$build/bin/fuzz_$target" "${options[@]}" "$corpus" "fuzz/$target/corpus" >"$log" 2>&1 || code=$?
  grep -E '^(==[0-9]+==|SUMMARY|fuzz check|artifact_prefix|stat::number_of_executed_units)' "$log" || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [[ $code -ne 0 ]]; then
    summary+=("$target: ${runs:-?} executions, FINDING in $findings/ (log: $log)")
    status=1
  else
    summary+=("$target: ${runs:-?} executions, no finding")
  fi
done
echo "== summary"
printf '%s\n' "${summary[@]}"
exit $status
