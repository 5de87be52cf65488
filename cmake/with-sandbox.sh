#!/usr/bin/env bash
# with-sandbox.sh <wallet-sandbox> <program> [args...]: starts the sandbox on a free port, runs
# <program> <base-url> [args...], stops the sandbox; exits with the program's status.
set -euo pipefail
sandbox=$1
shift
out=$(mktemp)
"$sandbox" >"$out" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -f "$out"' EXIT
# The sandbox prints its base URL once it listens.
for _ in $(seq 100); do
    [ -s "$out" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "wallet-sandbox did not start" >&2; exit 1; }
    sleep 0.1
done
url=$(head -n 1 "$out")
[ -n "$url" ] || { echo "wallet-sandbox printed no address" >&2; exit 1; }
"$@" "$url"
