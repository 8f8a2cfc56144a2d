#!/usr/bin/env bash
# The person-like runs: every xvfb_*.sh of the shell and the plug-ins against a built tree.
# Each run starts its own Xvfb on a free display and works in a folder of its own, so a few
# run side by side; each run's output is printed whole when it ends.
# Usage: .ci/xvfb.sh [build dir (build)] [screenshot dir (build/xvfb-shots)] [parallel runs]
set -uo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
shots="${2:-$build/xvfb-shots}"
parallel="${3:-${XVFB_PARALLEL:-}}"
if [ -z "$parallel" ]; then
  parallel=$(( $(nproc) / 2 ))
  (( parallel < 1 )) && parallel=1
  (( parallel > 4 )) && parallel=4
fi
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

run_one() {
  local run=$1 build=$2 shots=$3 logs=$4
  local name
  name=$(basename "$run" .sh)
  local start=$SECONDS status=0
  timeout 420 bash "$run" "$build" "$shots/$name" >"$logs/$name.log" 2>&1 || status=$?
  {
    echo "-- $run: status $status, $(( SECONDS - start )) s"
    cat "$logs/$name.log"
  } | flock "$logs" cat
  [ "$status" -eq 0 ] || echo "$run" >>"$logs/failed"
  return 0
}
export -f run_one

echo "== person-like runs ($parallel at a time)"
find shell plugins -name 'xvfb_*.sh' | sort |
  xargs -P "$parallel" -I{} bash -c 'run_one "$@"' _ {} "$build" "$shots" "$logs"

if [ -s "$logs/failed" ]; then
  echo "== person-like runs failed:"
  cat "$logs/failed"
  exit 1
fi
echo "== person-like runs passed"
