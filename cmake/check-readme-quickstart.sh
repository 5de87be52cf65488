#!/usr/bin/env bash
# check-readme-quickstart.sh <README.md> <quick start main.cpp> <work dir> <wallet-sandbox>
#
# The README's quick start as a host copies it: the first cpp block under "## Use the kit in your
# project", which must be the quick start's main.cpp as it stands. Built as the README builds a
# host without CMake (g++ and pkg-config; PKG_CONFIG_PATH names the installed package), run
# against a sandbox, then against a base URL the kit refuses, where it must say the error's code.
set -euo pipefail
readme=$1
main=$2
work=$3
sandbox=$4
mkdir -p "$work"
block=$work/main.cpp
awk 'inside && $0 == "```" { exit }
     inside { print; next }
     /^## / { section = ($0 == "## Use the kit in your project") }
     section && $0 == "```cpp" { inside = 1 }' "$readme" >"$block"
[ -s "$block" ] || { echo "$readme: no cpp block under \"Use the kit in your project\"" >&2; exit 1; }
diff -u "$main" "$block" || { echo "the README's quick start is not $main" >&2; exit 1; }

# shellcheck disable=SC2046  # pkg-config's flags are words
g++ -std=c++23 -Wall -Wextra -Wpedantic -Werror "$block" -o "$work/quickstart" \
    $(pkg-config --cflags --libs corvend-wallet)
bash "$(dirname "$0")/with-sandbox.sh" "$sandbox" "$work/quickstart"
if "$work/quickstart" https://wallet.example/api 2>"$work/refused.txt"; then
    echo "the quick start succeeded against a base URL the kit refuses" >&2
    exit 1
fi
grep -q '\[C0001\]' "$work/refused.txt" || {
    echo "the quick start did not say what failed, with its code:" >&2
    cat "$work/refused.txt" >&2
    exit 1
}
