#!/bin/bash
# Start-up time and peak memory of `rpanel --demo` against a bare Qt window with two tab pages
# (minimal_qt), both on Qt's offscreen platform, both ending by themselves once their first
# window is up.
#
#   bench/startup.sh [BUILD_DIR] [RUNS]     (defaults: build, 10)
#
# Builds the two programs in BUILD_DIR (configured already, e.g. by `make build`), runs each
# RUNS times and prints the median wall time, the median peak resident memory and the ratios.
set -eu

build=${1:-build}
runs=${2:-10}
cmake --build "$build" --target rpanel minimal_qt >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"
# A runtime directory of its own: no other running rpanel holds the single-instance lock.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch"

# Appends "<seconds> <peak KiB>" of one start of the command to the file $1.
sample() {
    local samples=$1
    shift
    # The wall time to the microsecond; /usr/bin/time's own is in hundredths.
    local start=$EPOCHREALTIME
    /usr/bin/time -f "%M" -o "$scratch/one" "$@" >/dev/null 2>&1 || {
        echo "startup.sh: $* failed" >&2
        exit 1
    }
    local end=$EPOCHREALTIME
    echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') $(cat "$scratch/one")" \
        >>"$samples"
}

# Prints "<median seconds> <median peak KiB>" of the samples in the file $1.
median() {
    local middle=$(((runs + 1) / 2))
    echo "$(cut -d' ' -f1 "$1" | sort -n | sed -n "${middle}p")" \
        "$(cut -d' ' -f2 "$1" | sort -n | sed -n "${middle}p")"
}

# A first start of each warms the file cache; it is not counted.
"$build/bin/minimal_qt" >/dev/null 2>&1
"$build/bin/rpanel" --demo --quit-after-start >/dev/null 2>&1

# The two programs take turns, so that the machine getting faster or slower during the
# measurement touches both alike.
i=0
while [ "$i" -lt "$runs" ]; do
    sample "$scratch/base" "$build/bin/minimal_qt"
    sample "$scratch/panel" "$build/bin/rpanel" --demo --quit-after-start
    i=$((i + 1))
done
base=$(median "$scratch/base")
panel=$(median "$scratch/panel")
read -r base_s base_kib <<<"$base"
read -r panel_s panel_kib <<<"$panel"

awk -v bs="$base_s" -v bk="$base_kib" -v ps="$panel_s" -v pk="$panel_kib" -v n="$runs" 'BEGIN {
    printf "median of %d starts      wall time   peak memory\n", n
    printf "two-tab Qt window        %7.3f s   %8d KiB\n", bs, bk
    printf "rpanel --demo            %7.3f s   %8d KiB\n", ps, pk
    printf "ratio                    %7.2f     %8.2f\n", (bs > 0 ? ps / bs : 0), pk / bk
}'
