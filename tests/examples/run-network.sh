#!/usr/bin/env bash
# Runs the network examples headless against each other on a free local
# port: run-network.sh SERVER CLIENT CONFIG WORK_DIR. Both must end by
# themselves (the client after five answers, the server when it leaves)
# with status 0, and their logs must show the exchange.
set -euo pipefail
SERVER="$1" CLIENT="$2" CONFIG="$3" WORK="$4"
mkdir -p "$WORK"
cd "$WORK"
rm -f server.log client.log server.out
export MORVANE_CONFIG="$CONFIG" MORVANE_EXAMPLE_FRAMES=1500

MORVANE_LOG=server.log "$SERVER" 0 >server.out &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
port=""
for _ in $(seq 100); do
  port="$(sed -n 's/^Server: listening on port \([0-9]*\)$/\1/p' server.out)"
  [ -n "$port" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "the server did not start listening"; cat server.log || true; exit 1
fi
MORVANE_LOG=client.log "$CLIENT" 127.0.0.1 "$port"
wait "$server"
trap - EXIT

fail=0
grep -q "Client: the server answered 'PING 5'" client.log || fail=1
grep -q "Server: the client left; stopping." server.log || fail=1
if grep -q "Error!" server.log client.log; then fail=1; fi
if [ "$fail" -ne 0 ]; then
  echo "--- server.log"; cat server.log; echo "--- client.log"; cat client.log; exit 1
fi
echo "network examples: ok on port $port"
