#!/usr/bin/env bash
# The share runs: a results folder on sshfs (FUSE, -o reconnect) from a private sshd on
# 127.0.0.1:2222, and bench_share writing a game into it while the server is frozen for
# 30 s, killed and restarted, or frozen (with its listener) through EXIT; the answers kept.
# Usage: bench/share_runs.sh [build-dir=build]. Needs root, /dev/fuse, sshfs, openssh-server.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=$(realpath -m "${1:-build}/bench/bench_share")
[ -x "$exe" ] || { echo "no $exe: configure the build with -DBRINDORA_BENCH=ON" >&2; exit 1; }
work=$(mktemp -d)
mkdir -p "$work/share" "$work/mnt" /run/sshd
ssh-keygen -q -t ed25519 -N '' -f "$work/key"
ssh-keygen -q -t ed25519 -N '' -f "$work/host"
cat >"$work/sshd_config" <<END
Port 2222
ListenAddress 127.0.0.1
HostKey $work/host
AuthorizedKeysFile $work/key.pub
PermitRootLogin yes
PasswordAuthentication no
StrictModes no
Subsystem sftp /usr/lib/openssh/sftp-server
PidFile $work/sshd.pid
END
start_server() { /usr/sbin/sshd -f "$work/sshd_config"; sleep 1; }
finish() {
    fusermount -u "$work/mnt" 2>/dev/null || true
    [ -f "$work/sshd.pid" ] && kill "$(cat "$work/sshd.pid")" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
start_server
sshfs -o reconnect,ServerAliveInterval=2,ServerAliveCountMax=3,StrictHostKeyChecking=no \
    -o UserKnownHostsFile=/dev/null,port=2222,IdentityFile="$work/key" \
    root@127.0.0.1:"$work/share" "$work/mnt"

# The server's processes of this run: its listener, and the session and sftp-server under it.
server() { local l; l=$(cat "$work/sshd.pid"); echo "$l $(pgrep -P "$l" | tr '\n' ' ')" \
    "$(for s in $(pgrep -P "$l"); do pgrep -P "$s"; done | tr '\n' ' ')"; }
run() {
    echo "== $1"
    rm -rf "$work/share"/* "$work/pending"
    "$exe" "$work/mnt" "$work/pending" "$2"
    if [ -d "$work/pending" ]; then
        sleep "${3:-0}"
        "$exe" "$work/mnt" "$work/pending" hand-over
    fi
}
procs=$(server); sessions=${procs#* }
run "frozen for 30 s" "( kill -STOP $sessions; sleep 30; kill -CONT $sessions ) &"
procs=$(server)
run "killed, restarted after 10 s" "( kill $procs; sleep 10; /usr/sbin/sshd -f $work/sshd_config ) &"
procs=$(server)
run "frozen with its listener through EXIT (50 s)" \
    "( kill -STOP $procs; sleep 50; kill -CONT $procs ) &" 20
