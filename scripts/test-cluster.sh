#!/usr/bin/env bash
# make test-cluster: a Slurm cluster of one node on this machine, made for the
# test and taken down after it. munged, slurmctld and slurmd run from a
# temporary folder with a configuration, a munge key and sockets of their own
# (no system service, file or port of the machine's own Slurm is touched).
# A sweep of generated models goes through nuv-slurm-sweep (a job array of
# nuv-slurm.sbatch); every NAME.out must equal nuv-run's own output for that
# model, byte for byte, and every recorded status nuv-run's exit status.
#
#   scripts/test-cluster.sh BUILD-FOLDER
#
# Exits 0 when all matched; non-zero, saying why, when a single-node Slurm
# cannot start here or a run differs.
set -uo pipefail
export LC_ALL=C

build=$(readlink -f "${1:?usage: test-cluster.sh BUILD-FOLDER}")
here=$(dirname "$(readlink -f "$0")")
bin=$build/bin
models_count=24

fail() {
  echo "test-cluster: $*" >&2
  exit 1
}

[[ -x $bin/nuv-run ]] || fail "no $bin/nuv-run: build first (make build)"
for tool in munged slurmctld slurmd sbatch sinfo scontrol; do
  command -v "$tool" > /dev/null || fail "$tool is missing: NUV_WITH_SLURM=1 ./scripts/install-deps.sh installs slurm-wlm and munge"
done
# slurmd starts each job as its submitting user, which needs root; this
# configuration also runs the controller as root, to keep to one user.
[[ $(id -u) -eq 0 ]] || fail "a single-node Slurm needs root here (slurmd must switch to the job's user); you are $(id -un). Run make test-cluster as root."

work=$(mktemp -d /tmp/nuv-cluster.XXXXXX) || fail "cannot make a temporary folder"
pids=()
stop_all() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2> /dev/null
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2> /dev/null
  done
  rm -rf "$work"
}
trap stop_all EXIT

# munged insists that every folder above its socket be searchable by all.
chmod 711 "$work"
mkdir -m 755 "$work/run"
mkdir "$work/state" "$work/spool" "$work/log" "$work/models" "$work/expected"
head -c 1024 /dev/urandom > "$work/munge.key"
chmod 400 "$work/munge.key"

munged -F --socket="$work/run/munge.socket" --key-file="$work/munge.key" --log-file="$work/log/munged.log" \
  --pid-file="$work/run/munged.pid" --seed-file="$work/munged.seed" > "$work/log/munged.out" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  [[ -S $work/run/munge.socket ]] && break
  sleep 0.1
done
[[ -S $work/run/munge.socket ]] || fail "munged did not start: $(tail -n 3 "$work/log/munged.out" "$work/log/munged.log" 2> /dev/null)"

# Two free ports for the controller and the node daemon.
free_port() {
  local port
  for port in $(shuf -i 20000-60000 -n 50); do
    if ! ss -Htan "sport = :$port" 2> /dev/null | grep -q .; then
      echo "$port"
      return
    fi
  done
  return 1
}
ctld_port=$(free_port) || fail "no free port for slurmctld"
slurmd_port=$(free_port) || fail "no free port for slurmd"
[[ $ctld_port != "$slurmd_port" ]] || slurmd_port=$((ctld_port + 1))

node=$(hostname -s)
cat > "$work/slurm.conf" << CONF
ClusterName=nuvtest
SlurmctldHost=$node(127.0.0.1)
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$work/run/munge.socket
CredType=cred/munge
SlurmctldPort=$ctld_port
SlurmdPort=$slurmd_port
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/run/slurmctld.pid
SlurmdPidFile=$work/run/slurmd.pid
SlurmctldLogFile=$work/log/slurmctld.log
SlurmdLogFile=$work/log/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
MpiDefault=none
SwitchType=switch/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
NodeName=$node NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=nuv Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF=$work/slurm.conf

slurmctld -D -f "$SLURM_CONF" > "$work/log/slurmctld.out" 2>&1 &
pids+=($!)
slurmd -D -f "$SLURM_CONF" > "$work/log/slurmd.out" 2>&1 &
pids+=($!)
state=""
for _ in $(seq 100); do
  state=$(sinfo -h -N -o %t 2> /dev/null | head -n 1)
  [[ $state == idle ]] && break
  sleep 0.3
done
if [[ $state != idle ]]; then
  echo "test-cluster: the node did not become idle (state: '${state:-none}'). What the daemons said:" >&2
  grep -h -i -E 'error|fatal' "$work"/log/*.out "$work"/log/*.log 2> /dev/null | tail -n 10 >&2
  exit 1
fi
echo "test-cluster: Slurm $(sinfo -V | cut -d' ' -f2) up on $node with $(nproc) CPUs"

# The models: text, control characters, bytes that are not UTF-8, errors,
# an include, and one that sleeps.
models=$work/models
for i in $(seq -w 1 $models_count); do
  case $((10#$i % 6)) in
    0) printf 'for (n = 0; n < %d; n++) { print "row ", n, "\\t", n * n, "\\n"; }\n' "$((10#$i * 50))" ;;
    1) printf 'print "progress 10%%\\r20%%\\r30%%\\n"; print "ab\\bc\\td\\ve\\n";\n' ;;
    2) printf 'print "caf\\xe9 \\xff\\xfe ok\\n"; print "\\a\\f\\x1b[0m\\n";\n' ;;
    3) printf 'print "before\\n";\nprint 1 / 0;\n' ;;
    4) printf '#include "shared.inc"\nprint "included: ", shared, "\\n";\n' ;;
    5) printf 'sleep 200;\nprint "slept %s\\n";\n' "$i" ;;
  esac > "$models/model$i.nuv"
done
printf 'shared = 42;\n' > "$models/shared.inc"
printf 'x = ;\n' > "$models/syntax error.nuv"

"$bin/nuv-slurm-sweep" "$models" | tee "$work/summary"
sweep_status=${PIPESTATUS[0]}

# nuv-run's own output and status for each model, outside Slurm.
failures=0
count=0
for model in "$models"/*.nuv; do
  name=${model##*/}
  name=${name%.nuv}
  count=$((count + 1))
  runtime=$(mktemp -d -p "$work")
  XDG_RUNTIME_DIR=$runtime "$bin/nuv-run" -o "$work/expected/$name.out" -- "$model" 2> /dev/null
  expected=$?
  recorded=$(cut -f1 "$models/$name.status" 2> /dev/null)
  if ! cmp -s "$models/$name.out" "$work/expected/$name.out"; then
    echo "test-cluster: $name.out differs from nuv-run's own output" >&2
    failures=$((failures + 1))
  elif [[ $recorded != "$expected" ]]; then
    echo "test-cluster: $name recorded status '$recorded', nuv-run gives $expected" >&2
    failures=$((failures + 1))
  fi
done
grep -q 'slept' "$models/model05.out" || { echo "test-cluster: model05.out lacks its line" >&2; failures=$((failures + 1)); }
[[ $sweep_status -eq 1 ]] || { echo "test-cluster: nuv-slurm-sweep gave $sweep_status, expected 1 (two models have errors)" >&2; failures=$((failures + 1)); }
if ((failures > 0 || count < 20)); then
  fail "$failures of $count models differ"
fi
echo "test-cluster: $count models through the job array, every output and status as nuv-run's own"
