#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and runs each one for a while
# on a fresh copy of its seed corpus, one after the other.
#
#   scripts/fuzz.sh [--no-build] [seconds] [target...]
#
# seconds defaults to 60; the targets default to all of them. Extra
# libFuzzer options can be passed in FUZZ_ARGS (for example "-jobs=1").
# Prints executions and findings per target and exits non-zero when a target
# crashed, hung, ran out of memory or broke one of its invariants. Each run
# keeps its grown corpus, log and crash inputs under build/fuzz/runs/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build=1
if [[ "${1:-}" == "--no-build" ]]; then
    build=0
    shift
fi
seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || ((seconds == 0)); then
    echo "fuzz: the run time must be a positive number of seconds, not '$seconds'" >&2
    exit 2
fi
shift || true
all_targets=(fuzz_rtf_reader fuzz_decimal_reader)
targets=("$@")
((${#targets[@]} > 0)) || targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
    if [[ ! -d "fuzz/corpus/$t" ]]; then
        echo "fuzz: unknown target '$t' (known: ${all_targets[*]})" >&2
        exit 2
    fi
done

if ((build)); then
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz --target "${targets[@]}"
fi

read -r -a extra <<<"${FUZZ_ARGS:-}"
failed=0
stamp=$(date +%Y%m%d-%H%M%S)
for t in "${targets[@]}"; do
    bin="build/fuzz/fuzz/$t"
    [[ -x "$bin" ]] || { echo "fuzz: $bin is missing; build without --no-build" >&2; exit 2; }
    work="build/fuzz/runs/$t-$stamp"
    mkdir -p "$work/corpus" "$work/artifacts"
    cp fuzz/corpus/"$t"/* "$work/corpus/"
    seeds=$(find "$work/corpus" -type f | wc -l)
    dict=()
    [[ -f "fuzz/$t.dict" ]] && dict=("-dict=fuzz/$t.dict")

    echo "== $t: ${seconds} s on $seeds seed inputs (log: $work/log)"
    start=$(date +%s)
    set +e
    "$bin" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
        -artifact_prefix="$work/artifacts/" "${dict[@]}" "${extra[@]}" \
        "$work/corpus" >"$work/log" 2>&1
    rc=$?
    set -e
    elapsed=$(($(date +%s) - start))

    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n1)
    if [[ -z "$execs" ]]; then
        # No final statistics after a crash: take the last progress line.
        execs=$(grep -oE '^#[0-9]+' "$work/log" | tail -n1 | tr -d '#')
    fi
    findings=$(find "$work/artifacts" -type f \( -name 'crash-*' -o -name 'leak-*' \
        -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
    slow=$(find "$work/artifacts" -type f -name 'slow-unit-*' | wc -l)
    grown=$(find "$work/corpus" -type f | wc -l)
    echo "$t: ${execs:-0} executions in ${elapsed} s, corpus $seeds -> $grown inputs," \
        "$findings findings, $slow slow inputs, exit status $rc"
    if ((rc != 0 || findings > 0)); then
        failed=1
        grep -E 'ERROR|SUMMARY|broken invariant|runtime error' "$work/log" | head -n 5 || true
        find "$work/artifacts" -type f ! -name 'slow-unit-*' -exec echo "  input: {}" \;
    fi
done
exit "$failed"
