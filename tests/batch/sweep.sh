#!/usr/bin/env bash
# nuv-sweep as a person runs it on a folder of models: several at a time, each
# NAME.out exactly what nuv-run writes for that model alone, a summary line per
# model with its exit status, and the sweep's own status saying whether all
# went well. NUV_RUN and NUV_SWEEP name the programs under test.
set -uo pipefail
fail() { echo "sweep test: $*" >&2; exit 1; }

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
models=$work/models
mkdir "$models" "$work/alone"
for i in 1 2 3 4 5; do
  printf 'for (n = 0; n < %d; n++) { print "row ", n, "\\n"; }\n' $((i * 3)) > "$models/m$i.nuv"
done
printf 'print "two words\\n";\n' > "$models/my model.nuv"
printf 'print "b" +;\n' > "$models/bad.nuv"
printf 'not a model\n' > "$models/notes.txt"

XDG_RUNTIME_DIR=$work "$NUV_SWEEP" "$models" -j 3 > "$work/summary"
status=$?
[[ $status -eq 1 ]] || fail "status $status with one model in error, expected 1"
for model in "$models"/*.nuv; do
  name=${model##*/}
  XDG_RUNTIME_DIR=$work "$NUV_RUN" -o "$work/alone/${name%.nuv}.out" -- "$model" 2> /dev/null
  expected=$?
  cmp -s "$work/alone/${name%.nuv}.out" "${model%.nuv}.out" || fail "$name: the sweep's output differs from nuv-run's"
  grep -Eq "^$name +$expected +[0-9]+\.[0-9]{3}\$" "$work/summary" || fail "$name: no summary line with status $expected"
done
[[ $(grep -c '\.nuv ' "$work/summary") -eq 7 ]] || fail "the summary does not have one line per model"
[[ ! -e $models/notes.out ]] || fail "a file that is no model was run"

XDG_RUNTIME_DIR=$work "$NUV_SWEEP" "$models" -j 0 2> /dev/null
[[ $? -eq 2 ]] || fail "-j 0 is not refused as bad usage"
echo "sweep test: passed"
