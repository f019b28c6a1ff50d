#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts a one-node Slurm cluster of its own (munged, slurmctld and slurmd on
# 127.0.0.1, private ports, sockets and spool under DIR) and stops it again.
# Usage: local_slurm.sh start DIR   (prints the SLURM_CONF to export)
#        local_slurm.sh stop DIR
# Needs root (slurmd runs jobs as their owner) and Debian's slurm-wlm and munge.
set -euo pipefail
action=$1
dir=$(realpath -m "$2")

stop() {
  for pidfile in "$dir"/slurmd.pid "$dir"/slurmctld.pid "$dir"/munged.pid; do
    [[ -f $pidfile ]] && kill "$(cat "$pidfile")" 2>/dev/null || true
  done
  sleep 1
}

if [[ $action == stop ]]; then
  stop
  exit 0
fi

mkdir -p "$dir"/{munge,spool/ctld,spool/d,log}
chmod 700 "$dir/munge"
dd if=/dev/urandom of="$dir/munge/munge.key" bs=1024 count=1 status=none
chmod 400 "$dir/munge/munge.key"
# munged refuses keys and folders that other users may write to; as root it
# runs as root here, which it accepts with --force for a private socket.
/usr/sbin/munged --force --key-file="$dir/munge/munge.key" --socket="$dir/munge/munge.socket" \
  --pid-file="$dir/munged.pid" --log-file="$dir/log/munged.log" --seed-file="$dir/munge/seed"

cpus=$(nproc)
mem=$(awk '/MemTotal/ {print int($2 / 1024 / 2)}' /proc/meminfo)
base=$((20000 + RANDOM % 20000))
cat >"$dir/slurm.conf" <<CONF
ClusterName=sodwright-local
SlurmctldHost=localhost(127.0.0.1)
SlurmctldPort=$base
SlurmdPort=$((base + 1))
AuthType=auth/munge
AuthInfo=socket=$dir/munge/munge.socket
CredType=cred/munge
SlurmUser=root
SlurmdUser=root
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
ReturnToService=2
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmdSpoolDir=$dir/spool/d
StateSaveLocation=$dir/spool/ctld
SlurmctldLogFile=$dir/log/slurmctld.log
SlurmdLogFile=$dir/log/slurmd.log
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
JobCompType=jobcomp/none
JobAcctGatherType=jobacct_gather/none
MpiDefault=none
NodeName=localnode NodeHostname=localhost NodeAddr=127.0.0.1 CPUs=$cpus RealMemory=$mem State=UNKNOWN
PartitionName=local Nodes=localnode Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF=$dir/slurm.conf
/usr/sbin/slurmctld -f "$SLURM_CONF"
/usr/sbin/slurmd -f "$SLURM_CONF" -N localnode
for _ in $(seq 60); do
  if sinfo -h -o '%T' 2>/dev/null | grep -qx idle; then
    echo "$SLURM_CONF"
    exit 0
  fi
  sleep 1
done
echo "local_slurm.sh: the cluster did not come up within 60 s (logs in $dir/log)" >&2
stop
exit 1
